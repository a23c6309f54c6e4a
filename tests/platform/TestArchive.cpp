// Plain values in archives: integers, floating point, strings, counts, raw bytes, modes
// and files, each against bytes built by hand.
#include "platform/Archive.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>

namespace {

using Cause = ArchiveException::Cause;

std::string B(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}

template <class F>
Cause CauseOf(F&& f)
{
    try {
        f();
    } catch (const ArchiveException& e) {
        return e.cause();
    }
    ADD_FAILURE() << "no ArchiveException";
    return Cause::Generic;
}

const ClassRegistry kNoClasses;

std::string Stored(std::string_view text)
{
    Archive ar = Archive::ForStoring();
    ar << text;
    return ar.Bytes();
}

std::string Loaded(const std::string& bytes)
{
    Archive ar = Archive::ForLoading(bytes, kNoClasses);
    std::string text;
    ar >> text;
    EXPECT_EQ(ar.Remaining(), 0u);
    return text;
}

}  // namespace

TEST(ArchiveValues, IntegersAndFloatingPointAreLittleEndianIeee)
{
    const std::string golden = B({
        0x80,                                            // int8 -128
        0xAB,                                            // uint8 0xAB
        0xFE, 0xFF,                                      // int16 -2
        0x34, 0x12,                                      // uint16 0x1234
        0xFF, 0xFF, 0xFF, 0xFF,                          // int32 -1
        0x78, 0x56, 0x34, 0x12,                          // uint32 0x12345678
        0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  // int64 0x0102030405060708
        0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // uint64 max - 1
        0x00, 0x00, 0xC0, 0x3F,                          // float 1.5
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,  // double 1.0
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0,  // double -2.5
        0x00, 0x00, 0x00, 0x00, 0x00, 0x38, 0x8F, 0x40,  // double 999.0 (the document marker)
    });
    Archive out = Archive::ForStoring();
    out << std::int8_t(-128) << std::uint8_t(0xAB) << std::int16_t(-2) << std::uint16_t(0x1234)
        << std::int32_t(-1) << std::uint32_t(0x12345678) << std::int64_t(0x0102030405060708)
        << std::uint64_t(std::numeric_limits<std::uint64_t>::max() - 1) << 1.5f << 1.0 << -2.5 << 999.0;
    EXPECT_EQ(out.Bytes(), golden);

    Archive in = Archive::ForLoading(golden, kNoClasses);
    std::int8_t i8 = 0;
    std::uint8_t u8 = 0;
    std::int16_t i16 = 0;
    std::uint16_t u16 = 0;
    std::int32_t i32 = 0;
    std::uint32_t u32 = 0;
    std::int64_t i64 = 0;
    std::uint64_t u64 = 0;
    float f = 0;
    double d1 = 0, d2 = 0, d3 = 0;
    in >> i8 >> u8 >> i16 >> u16 >> i32 >> u32 >> i64 >> u64 >> f >> d1 >> d2 >> d3;
    EXPECT_EQ(i8, -128);
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(i32, -1);
    EXPECT_EQ(u32, 0x12345678u);
    EXPECT_EQ(i64, 0x0102030405060708);
    EXPECT_EQ(u64, std::numeric_limits<std::uint64_t>::max() - 1);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d1, 1.0);
    EXPECT_EQ(d2, -2.5);
    EXPECT_EQ(d3, 999.0);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(CauseOf([&] { in >> u8; }), Cause::EndOfFile);
}

TEST(ArchiveValues, DoublesKeepEveryBit)
{
    const double values[] = {999.0000001, -0.0, std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(), std::numeric_limits<double>::denorm_min()};
    Archive out = Archive::ForStoring();
    for (double v : values)
        out << v;
    Archive in = Archive::ForLoading(out.Bytes(), kNoClasses);
    for (double v : values) {
        double back = 0;
        in >> back;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(v));
    }
}

TEST(ArchiveValues, ReadingPastTheEndOrInTheWrongModeThrows)
{
    Archive in = Archive::ForLoading(B({0x01, 0x02, 0x03}), kNoClasses);
    std::int32_t v = 0;
    EXPECT_EQ(CauseOf([&] { in >> v; }), Cause::EndOfFile);
    EXPECT_EQ(CauseOf([&] { in << std::int32_t(1); }), Cause::WrongMode);
    EXPECT_EQ(CauseOf([&] { in.WriteCount(1); }), Cause::WrongMode);
    char raw[3] = {};
    in.Read(raw, 3);  // the failed read above consumed nothing
    EXPECT_EQ(std::string(raw, 3), B({0x01, 0x02, 0x03}));

    Archive out = Archive::ForStoring();
    EXPECT_EQ(CauseOf([&] { out >> v; }), Cause::WrongMode);
    std::string text;
    EXPECT_EQ(CauseOf([&] { out >> text; }), Cause::WrongMode);
    EXPECT_EQ(CauseOf([&] { out.ReadObject(nullptr); }), Cause::WrongMode);
    EXPECT_TRUE(out.Bytes().empty());
}

TEST(ArchiveValues, RawBytes)
{
    Archive out = Archive::ForStoring();
    out.Write(B({0x00, 0xFF, 0x10}));
    out << std::uint8_t(7);
    EXPECT_EQ(out.Bytes(), B({0x00, 0xFF, 0x10, 0x07}));

    Archive in = Archive::ForLoading(out.Bytes(), kNoClasses);
    EXPECT_EQ(in.ReadBytes(2), B({0x00, 0xFF}));
    EXPECT_EQ(in.Position(), 2u);
    EXPECT_EQ(CauseOf([&] { in.ReadBytes(3); }), Cause::EndOfFile);
    EXPECT_EQ(in.ReadBytes(2), B({0x10, 0x07}));
}

TEST(ArchiveStrings, LengthClassesAtTheirBoundaries)
{
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, B({0x00})},
        {254, B({0xFE})},                                      // last one-byte length
        {255, B({0xFF, 0xFF, 0x00})},                          // 0xFF + WORD
        {0xFFFD, B({0xFF, 0xFD, 0xFF})},                       // last WORD length
        {0xFFFE, B({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},  // 0xFF 0xFFFF + DWORD
        {0x12345, B({0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        const std::string text(c.length, 'a');
        const std::string bytes = Stored(text);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(bytes.substr(c.prefix.size()), text) << c.length;
        EXPECT_EQ(Loaded(bytes), text) << c.length;
    }
}

TEST(ArchiveStrings, WindowsLatinTextWithAccents)
{
    // "Besançon – 5 €": ç, en dash and euro sign all have Windows-1252 bytes.
    const std::string golden = B({0x0E, 'B', 'e', 's', 'a', 'n', 0xE7, 'o', 'n', ' ', 0x96, ' ', '5', ' ', 0x80});
    EXPECT_EQ(Stored("Besançon – 5 €"), golden);
    EXPECT_EQ(Loaded(golden), "Besançon – 5 €");
    // Older documents hold any byte; the unassigned ones still decode.
    EXPECT_EQ(Loaded(B({0x03, 'Z', 0xFC, 0x81})), "Zü\xC2\x81");
}

TEST(ArchiveStrings, UnicodeFormBothWays)
{
    // 東京 has no Windows-1252 form: marker 0xFF 0xFFFE, length 2, UTF-16LE.
    const std::string tokyo = B({0xFF, 0xFE, 0xFF, 0x02, 0x71, 0x67, 0xAC, 0x4E});
    EXPECT_EQ(Stored("東京"), tokyo);
    EXPECT_EQ(Loaded(tokyo), "東京");

    // A character outside the basic plane counts as two UTF-16 units.
    const std::string clef = B({0xFF, 0xFE, 0xFF, 0x03, 'G', 0x00, 0x34, 0xD8, 0x1E, 0xDD});
    EXPECT_EQ(Stored("G𝄞"), clef);
    EXPECT_EQ(Loaded(clef), "G𝄞");

    // Writers of the Unicode form use it for plain text too.
    EXPECT_EQ(Loaded(B({0xFF, 0xFE, 0xFF, 0x03, 'A', 0x00, 'B', 0x00, 0xE9, 0x00})), "ABé");

    // The length after the marker uses the same classes, counted in UTF-16 units.
    std::string longText;
    for (int i = 0; i < 255; ++i)
        longText += "Ω";
    const std::string longBytes = Stored(longText);
    EXPECT_EQ(longBytes.substr(0, 6), B({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}));
    EXPECT_EQ(longBytes.size(), 6u + 2 * 255);
    EXPECT_EQ(longBytes.substr(6, 2), B({0xA9, 0x03}));
    EXPECT_EQ(Loaded(longBytes), longText);

    std::string veryLong(0xFFFE - 1, 'x');
    veryLong += "Ω";
    const std::string veryLongBytes = Stored(veryLong);
    EXPECT_EQ(veryLongBytes.substr(0, 10), B({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Loaded(veryLongBytes), veryLong);
}

TEST(ArchiveStrings, LengthsPastTheEndAreRefusedBeforeAllocating)
{
    const std::string cases[] = {
        B({0x05, 'a', 'b', 'c', 'd'}),                           // one short
        B({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40}),           // DWORD length of 1 GiB
        B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,             // 8-byte length
           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
        B({0xFF, 0xFE, 0xFF, 0x02, 'A', 0x00, 'B'}),             // Unicode, half a unit short
        B({0xFF, 0xFE}),                                         // cut inside the marker
    };
    for (const std::string& bytes : cases) {
        Archive in = Archive::ForLoading(bytes, kNoClasses);
        std::string text = "unchanged";
        EXPECT_EQ(CauseOf([&] { in >> text; }), Cause::EndOfFile);
        EXPECT_EQ(text, "unchanged");
    }
}

TEST(ArchiveCounts, WordOrEscapedDword)
{
    Archive out = Archive::ForStoring();
    out.WriteCount(0);
    out.WriteCount(0xFFFE);
    out.WriteCount(0xFFFF);
    out.WriteCount(0x12345678);
    EXPECT_EQ(out.Bytes(), B({0x00, 0x00,                                // 0
                              0xFE, 0xFF,                                // last WORD count
                              0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00,        // 0xFFFF escapes
                              0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));

    // Counts are checked against the bytes left: here 0xFFFE elements cannot follow.
    Archive in = Archive::ForLoading(out.Bytes(), kNoClasses);
    EXPECT_EQ(in.ReadCount(), 0u);
    EXPECT_EQ(CauseOf([&] { in.ReadCount(); }), Cause::EndOfFile);
}

TEST(ArchiveCounts, MinimumElementSizeBoundsTheCount)
{
    const std::string bytes = B({0x02, 0x00, 1, 2, 3, 4, 5, 6, 7, 8});  // two elements, eight bytes
    {
        Archive in = Archive::ForLoading(bytes, kNoClasses);
        EXPECT_EQ(in.ReadCount(4), 2u);
    }
    {
        Archive in = Archive::ForLoading(bytes, kNoClasses);
        EXPECT_EQ(CauseOf([&] { in.ReadCount(5); }), Cause::EndOfFile);
    }
    {
        Archive in = Archive::ForLoading(B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), kNoClasses);
        EXPECT_EQ(CauseOf([&] { in.ReadCount(); }), Cause::EndOfFile);
    }
}

TEST(ArchiveFiles, SavedAtomicallyAndLoadedWhole)
{
    testsupport::TempDir dir;
    Archive out = Archive::ForStoring();
    out << std::int32_t(42) << "Lyon";
    std::string error;
    ASSERT_TRUE(SaveArchiveFile(out, dir / "dial.cds", &error)) << error;
    EXPECT_EQ(testsupport::ReadFileBytes(dir / "dial.cds"), B({42, 0, 0, 0, 4, 'L', 'y', 'o', 'n'}));

    auto in = LoadArchiveFile(dir / "dial.cds", kNoClasses, &error);
    ASSERT_TRUE(in.has_value()) << error;
    std::int32_t v = 0;
    std::string city;
    *in >> v >> city;
    EXPECT_EQ(v, 42);
    EXPECT_EQ(city, "Lyon");

    error.clear();
    EXPECT_FALSE(LoadArchiveFile(dir / "missing.cds", kNoClasses, &error).has_value());
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(SaveArchiveFile(*in, dir / "other.cds", &error));
    EXPECT_FALSE(std::filesystem::exists(dir / "other.cds"));
}
