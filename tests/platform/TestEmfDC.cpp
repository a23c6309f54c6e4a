// The enhanced-metafile context: hand-built golden bytes for small drawings, and the
// structure of larger ones read back by the test reader (tests/support/EmfTestReader.h).
#include "platform/EmfDC.h"
#include "platform/RecordingDC.h"
#include "support/EmfTestReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace gdi;

namespace {

// Expected bytes, little-endian.
class Golden {
public:
    Golden& U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            s_ += static_cast<char>((v >> (8 * i)) & 0xFF);
        return *this;
    }
    Golden& I32(int v) { return U32(static_cast<std::uint32_t>(v)); }
    Golden& U16(std::uint16_t v)
    {
        s_ += static_cast<char>(v & 0xFF);
        s_ += static_cast<char>(v >> 8);
        return *this;
    }
    Golden& U8(int v)
    {
        s_ += static_cast<char>(v);
        return *this;
    }
    Golden& F32(float v) { return U32(std::bit_cast<std::uint32_t>(v)); }
    Golden& Zeros(int n)
    {
        s_.append(static_cast<std::size_t>(n), '\0');
        return *this;
    }
    Golden& Append(const std::string& bytes)
    {
        s_ += bytes;
        return *this;
    }
    const std::string& Bytes() const { return s_; }
    std::size_t Size() const { return s_.size(); }

private:
    std::string s_;
};

const EmfDevice kDevice{{1280, 1024}, {339, 271}};

// The header of a metafile without description.
std::string Header(Rect bounds, Rect frame, std::uint32_t bytes, std::uint32_t records, std::uint16_t handles)
{
    Golden g;
    g.U32(1).U32(108);
    g.I32(bounds.left).I32(bounds.top).I32(bounds.right).I32(bounds.bottom);
    g.I32(frame.left).I32(frame.top).I32(frame.right).I32(frame.bottom);
    g.U32(0x464D4520).U32(0x10000).U32(bytes).U32(records).U16(handles).U16(0);
    g.U32(0).U32(0).U32(0);
    g.U32(1280).U32(1024).U32(339).U32(271);
    g.U32(0).U32(0).U32(0).U32(339000).U32(271000);
    return g.Bytes();
}

std::string EndRecord()
{
    return Golden().U32(14).U32(20).U32(0).U32(16).U32(20).Bytes();
}

// Shows where two byte strings first differ.
std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return "first difference at byte " + std::to_string(i) + " (sizes " + std::to_string(a.size()) + " and "
           + std::to_string(b.size()) + ")";
}

// A check reading the metafiles with another program (tests/py) asks for them in a folder.
void Keep(const std::string& name, const std::string& bytes)
{
    if (const char* folder = std::getenv("HORAVEL_EMF_DIR"))
        testsupport::WriteFileBytes(std::filesystem::path(folder) / name, bytes);
}

emftest::File ReadBack(const std::string& bytes)
{
    emftest::File f = emftest::Read(bytes);
    for (const std::string& e : f.errors)
        ADD_FAILURE() << e;
    return f;
}

LogFont Font(int height, std::string face)
{
    LogFont f;
    f.height = height;
    f.faceName = std::move(face);
    return f;
}

}  // namespace

TEST(EmfDC, GoldenBytesOfSmallDrawings)
{
    RecordingDC ref;
    {
        SCOPED_TRACE("nothing drawn: the header and the end record");
        EmfDC dc(ref, kDevice, "", Rect{0, 0, 2000, 1000});
        const std::string bytes = dc.Close();
        Keep("empty.emf", bytes);
        const std::string expected = Header({0, 0, -1, -1}, {0, 0, 2000, 1000}, 128, 2, 1) + EndRecord();
        EXPECT_EQ(bytes, expected) << FirstDifference(bytes, expected);
    }
    {
        SCOPED_TRACE("one pixel, and the description of the program and the picture");
        EmfDC dc(ref, kDevice, std::string_view("Horavel\0\0", 9), Rect{0, 0, 2000, 1000});
        EXPECT_EQ(dc.SetPixel(7, 8, RGB(1, 2, 3)), RGB(1, 2, 3));
        const std::string bytes = dc.Close();
        Keep("described.emf", bytes);
        Golden g;
        g.U32(1).U32(128).I32(7).I32(8).I32(7).I32(8).I32(0).I32(0).I32(2000).I32(1000);
        g.U32(0x464D4520).U32(0x10000).U32(168).U32(3).U16(1).U16(0);
        g.U32(9).U32(108).U32(0).U32(1280).U32(1024).U32(339).U32(271).U32(0).U32(0).U32(0).U32(339000).U32(271000);
        for (char c : std::string("Horavel"))
            g.U16(static_cast<std::uint16_t>(c));
        g.U16(0).U16(0).U16(0);  // two NULs, then padding to 4 bytes
        g.U32(15).U32(20).I32(7).I32(8).U32(0x030201);
        g.Append(EndRecord());
        EXPECT_EQ(bytes, g.Bytes()) << FirstDifference(bytes, g.Bytes());
    }
    {
        SCOPED_TRACE("a dashed red line; the frame from the bounds");
        EmfDC dc(ref, kDevice, "");
        dc.SelectPen({PS_DASH, 1, RGB(255, 0, 0)});
        dc.MoveTo(10, 20);
        EXPECT_TRUE(dc.LineTo(30, 40));
        const std::string bytes = dc.Close();
        Keep("line.emf", bytes);
        Golden body;
        body.U32(38).U32(28).U32(1).U32(PS_DASH).I32(1).I32(0).U32(0x0000FF);
        body.U32(37).U32(12).U32(1);
        body.U32(27).U32(16).I32(10).I32(20);
        body.U32(54).U32(16).I32(30).I32(40);
        body.Append(EndRecord());
        // 10 px of a 1280 px, 339 mm wide device is 264.8 hundredths of a millimetre.
        const std::string expected =
            Header({10, 20, 30, 40}, {265, 529, 795, 1059}, static_cast<std::uint32_t>(108 + body.Size()), 6, 2)
            + body.Bytes();
        EXPECT_EQ(bytes, expected) << FirstDifference(bytes, expected);
    }
    {
        SCOPED_TRACE("centred text in a bold face, with an accented letter");
        EmfDC dc(ref, kDevice, "", Rect{0, 0, 100, 100});
        LogFont font = Font(-20, "Arial");
        font.weight = FW_BOLD;
        dc.SelectFont(font);
        dc.SetTextColor(RGB(0, 0, 255));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_CENTER | TA_BASELINE);
        EXPECT_TRUE(dc.TextOut(100, 50, "A\xC3\xA9"));
        const std::string bytes = dc.Close();
        Keep("text.emf", bytes);

        Golden body;
        body.U32(82).U32(332).U32(1);
        body.I32(-20).I32(0).I32(0).I32(0).I32(700);
        body.U8(0).U8(0).U8(0).U8(DEFAULT_CHARSET).U8(0).U8(0).U8(0).U8(0);
        for (char c : std::string("Arial"))
            body.U16(static_cast<std::uint16_t>(c));
        body.Zeros(2 * (32 - 5));
        body.Zeros(320 - 92);
        body.U32(37).U32(12).U32(1);
        body.U32(24).U32(12).U32(0xFF0000);
        body.U32(25).U32(12).U32(0xFFFFFF);
        body.U32(18).U32(12).U32(TRANSPARENT);
        body.U32(22).U32(12).U32(TA_CENTER | TA_BASELINE);
        // The recording reference measures 12 px a character, ascent 16, descent 4.
        body.U32(84).U32(88).I32(88).I32(34).I32(111).I32(53);
        body.U32(1).F32(26.484375f).F32(26.46484375f);
        body.I32(100).I32(50).U32(2).U32(76).U32(0).I32(0).I32(0).I32(-1).I32(-1).U32(80);
        body.U16(0x41).U16(0xE9).U32(12).U32(12);
        body.Append(EndRecord());
        const std::string expected =
            Header({88, 34, 111, 53}, {0, 0, 100, 100}, static_cast<std::uint32_t>(108 + body.Size()), 9, 2)
            + body.Bytes();
        EXPECT_EQ(bytes, expected) << FirstDifference(bytes, expected);
    }
    {
        SCOPED_TRACE("a filled rectangle without pen, and a picture with a transparent pixel");
        EmfDC dc(ref, kDevice, "", Rect{0, 0, 100, 100});
        dc.FillRect({0, 0, 10, 5}, Brush{BS_SOLID, RGB(1, 2, 3)});
        Image image;
        image.width = 2;
        image.height = 1;
        image.pixels = {0xFFFF0000u, 0x00000000u};
        EXPECT_TRUE(dc.DrawImage({5, 5, 9, 7}, image));
        const std::string bytes = dc.Close();
        Keep("fill_picture.emf", bytes);

        Golden body;
        body.U32(37).U32(12).U32(0x80000008);
        body.U32(39).U32(24).U32(1).U32(BS_SOLID).U32(0x030201).U32(0);
        body.U32(37).U32(12).U32(1);
        body.U32(43).U32(24).I32(0).I32(0).I32(11).I32(6);
        body.U32(81).U32(128).I32(5).I32(5).I32(8).I32(6);
        body.I32(5).I32(5).I32(0).I32(0).I32(2).I32(1).U32(80).U32(40).U32(120).U32(8).U32(0).U32(0x00CC0020).I32(4).I32(2);
        body.U32(40).I32(2).I32(1).U16(1).U16(24).U32(0).U32(8).U32(0).U32(0).U32(0).U32(0);
        body.U8(0).U8(0).U8(255).U8(255).U8(255).U8(255).U8(0).U8(0);
        body.Append(EndRecord());
        const std::string expected =
            Header({0, 0, 9, 6}, {0, 0, 100, 100}, static_cast<std::uint32_t>(108 + body.Size()), 7, 2) + body.Bytes();
        EXPECT_EQ(bytes, expected) << FirstDifference(bytes, expected);
    }
}

TEST(EmfDC, SaveAndRestoreKeepWriterAndReaderInStep)
{
    RecordingDC ref;
    EmfDC dc(ref, kDevice, "");
    const Pen a{PS_SOLID, 1, RGB(10, 0, 0)};
    const Pen b{PS_SOLID, 1, RGB(20, 0, 0)};
    dc.SelectPen(a);
    dc.MoveTo(0, 0);
    dc.LineTo(5, 0);
    EXPECT_EQ(dc.SaveDC(), 1);
    dc.SelectPen(b);
    dc.LineTo(5, 5);
    EXPECT_EQ(dc.SaveDC(), 2);
    EXPECT_EQ(dc.SaveDC(), 3);
    EXPECT_FALSE(dc.RestoreDC(4));  // no such save: nothing written
    EXPECT_TRUE(dc.RestoreDC(1));   // three saves back
    EXPECT_EQ(dc.GetCurrentPen(), a);
    dc.LineTo(0, 5);
    const emftest::File f = ReadBack(dc.Close());

    const auto restores = f.Of(34);
    ASSERT_EQ(restores.size(), 1u);
    EXPECT_EQ(restores[0]->I32(0), -3);
    // After the restore the reader has pen a again and the position of the save, so the
    // last line needs neither a selection nor a move.
    std::size_t i = 0;
    while (f.records[i].type != 34)
        ++i;
    ASSERT_EQ(f.records.size(), i + 3);
    EXPECT_EQ(f.records[i + 1].type, 54u);
    EXPECT_EQ(f.records[i + 1].I32(0), 0);
    EXPECT_EQ(f.records[i + 1].I32(4), 5);
    // The line before the first save continues from the position the first line left.
    EXPECT_EQ(f.Of(27).size(), 1u);
}

TEST(EmfDC, ObjectsAreReusedAndOnlyUnselectedOnesAreFreed)
{
    RecordingDC ref;
    EmfDC dc(ref, kDevice, "");
    const auto pen = [](int i) { return Pen{PS_SOLID, 1 + i % 3, RGB(i, 255 - i, 7)}; };
    dc.SelectPen(pen(0));
    dc.MoveTo(0, 0);
    dc.LineTo(1, 1);
    dc.SaveDC();  // pen 0 stays selected in the saved state
    for (int i = 1; i < 200; ++i) {
        dc.SelectPen(pen(i));
        dc.LineTo(i, i % 7);
    }
    dc.SelectPen(pen(199));
    dc.LineTo(3, 3);
    dc.SelectPen(pen(198));  // still in the table: selected again, not created again
    dc.LineTo(4, 4);
    dc.RestoreDC(-1);
    dc.LineTo(5, 5);
    const emftest::File f = ReadBack(dc.Close());

    const std::size_t created = f.Of(38).size() + f.Of(95).size();
    EXPECT_EQ(created, 200u);
    EXPECT_FALSE(f.Of(40).empty());
    EXPECT_LE(f.handles, 66);
    // Wide pens are geometric pens with round ends and joins.
    const auto wide = f.Of(95);
    ASSERT_FALSE(wide.empty());
    EXPECT_EQ(wide[0]->U32(20), 0x00010000u);
    EXPECT_GE(wide[0]->U32(24), 2u);
}

TEST(EmfDC, PointsShapesAndColours)
{
    RecordingDC ref;
    EmfDC dc(ref, kDevice, "");
    dc.SetPalette({RGB(9, 8, 7), RGB(1, 1, 1)});
    dc.SelectPen({PS_SOLID, 0, PALETTEINDEX(0)});
    dc.SelectBrush({BS_SOLID, PALETTEINDEX(1)});
    const Point small[3] = {{0, 0}, {100, -200}, {32767, -32768}};
    const Point large[2] = {{0, 0}, {40000, 5}};
    EXPECT_TRUE(dc.Polyline(small, 3));
    EXPECT_TRUE(dc.Polyline(large, 2));
    EXPECT_TRUE(dc.Polygon(small, 3));
    EXPECT_FALSE(dc.Polyline(small, 1));
    EXPECT_TRUE(dc.Ellipse(1, 2, 30, 40));
    EXPECT_TRUE(dc.Pie(0, 0, 50, 50, 50, 25, 25, 0));
    EXPECT_TRUE(dc.Chord(0, 0, 50, 50, 50, 25, 25, 0));
    EXPECT_TRUE(dc.Arc(0, 0, 50, 50, 50, 25, 25, 0));
    EXPECT_EQ(dc.SetPixel(3, 4, PALETTEINDEX(0)), RGB(9, 8, 7));
    const emftest::File f = ReadBack(dc.Close());

    ASSERT_EQ(f.Of(87).size(), 1u);  // 16-bit points while they fit
    const emftest::Record& p16 = *f.Of(87)[0];
    EXPECT_EQ(p16.U32(16), 3u);
    EXPECT_EQ(static_cast<std::int16_t>(p16.U16(20 + 4 * 2)), 32767);
    EXPECT_EQ(static_cast<std::int16_t>(p16.U16(20 + 4 * 2 + 2)), -32768);
    ASSERT_EQ(f.Of(4).size(), 1u);  // 32-bit points past them
    EXPECT_EQ(f.Of(4)[0]->I32(28), 40000);
    EXPECT_EQ(f.Of(86).size(), 1u);
    ASSERT_EQ(f.Of(38).size(), 1u);
    EXPECT_EQ(f.Of(38)[0]->U32(16), RGB(9, 8, 7));  // palette colours written as colours
    ASSERT_EQ(f.Of(39).size(), 1u);
    EXPECT_EQ(f.Of(39)[0]->U32(8), RGB(1, 1, 1));
    for (std::uint32_t type : {42u, 45u, 46u, 47u})
        EXPECT_EQ(f.Of(type).size(), 1u) << type;
    const emftest::Record& pie = *f.Of(47)[0];
    EXPECT_EQ(pie.I32(16), 50);  // start point after the box
    EXPECT_EQ(pie.I32(28), 0);
    ASSERT_EQ(f.Of(15).size(), 1u);
    EXPECT_EQ(f.Of(15)[0]->U32(8), RGB(9, 8, 7));
}

TEST(EmfDC, TextKeepsFaceAndCharactersAndFollowsTheAlignment)
{
    RecordingDC ref;
    EmfDC dc(ref, kDevice, "");
    LogFont zodiac = Font(-10, "Wingdings");
    zodiac.charSet = SYMBOL_CHARSET;
    dc.SelectFont(zodiac);
    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(10, 10);
    dc.TextOut(0, 0, "^_`");
    dc.TextOut(0, 0, "ab");
    EXPECT_EQ(dc.GetCurrentPosition(), (Point{10 + 5 * 6, 10}));

    dc.SelectFont(Font(-10, "Arial"));
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    Rect calc{0, 0, 40, 0};
    EXPECT_EQ(dc.DrawText("one two three", calc, DT_WORDBREAK | DT_CALCRECT), 30);
    Rect box{100, 100, 140, 200};
    EXPECT_EQ(dc.DrawText("one two three", box, DT_WORDBREAK), 30);
    const emftest::File f = ReadBack(dc.Close());

    const auto fonts = f.Of(82);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0]->Utf16(8 + 4 + 28, 9), std::u16string(u"Wingdings"));
    EXPECT_EQ(static_cast<std::uint8_t>(fonts[0]->body.at(4 + 23)), SYMBOL_CHARSET);
    const auto texts = f.Of(84);
    ASSERT_EQ(texts.size(), 5u);  // two runs, then three wrapped lines
    EXPECT_EQ(texts[0]->Utf16(texts[0]->U32(40), 3), std::u16string(u"^_`"));
    // The current position is applied here: the second run starts where the first ended,
    // and the reader is never asked to update a position of its own.
    EXPECT_EQ(texts[1]->I32(28), 10 + 3 * 6);
    EXPECT_EQ(texts[1]->I32(32), 10);
    for (const emftest::Record* align : f.Of(22))
        EXPECT_EQ(align->U32(0) & TA_UPDATECP, 0u);
    // Wrapped lines: left-top placed, one line height apart, clipped to the box.
    for (int i = 0; i < 3; ++i) {
        const emftest::Record& line = *texts[static_cast<std::size_t>(2 + i)];
        EXPECT_EQ(line.I32(28), 100);
        EXPECT_EQ(line.I32(32), 100 + 10 * i);
        EXPECT_EQ(line.U32(44), 0x4u);
        EXPECT_EQ(line.I32(48), 100);
        EXPECT_EQ(line.I32(60), 200);
    }
    EXPECT_EQ(texts[4]->Utf16(texts[4]->U32(40), 5), std::u16string(u"three"));
}

TEST(EmfDC, OriginsAndClippingShapeTheBoundsNotTheCoordinates)
{
    RecordingDC ref;
    EmfDC dc(ref, kDevice, "");
    dc.SetViewportOrg(100, 50);
    dc.MoveTo(0, 0);
    dc.LineTo(10, 10);
    const Rect clip{0, 0, 20, 20};
    dc.SelectClipRect(&clip);
    dc.MoveTo(-500, 5);
    dc.LineTo(500, 5);  // only its part inside the clip counts
    dc.SelectClipRect(nullptr);
    const emftest::File f = ReadBack(dc.Close());

    EXPECT_EQ(f.bounds, (emftest::Rect{100, 50, 119, 60}));
    const auto lines = f.Of(54);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1]->I32(0), 500);  // logical, as drawn
    const auto regions = f.Of(75);
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0]->U32(0), 0u);
    EXPECT_EQ(regions[0]->U32(4), 5u);  // back to no clipping
    ASSERT_EQ(f.Of(30).size(), 1u);
    EXPECT_EQ(f.Of(30)[0]->I32(8), 20);
    EXPECT_EQ(f.Of(12).size(), 1u);
    // The frame follows the bounds when none is given.
    EXPECT_EQ(f.frame.left, MulDiv(100, 33900, 1280));
}

TEST(EmfDC, DeviceCapsAndClosing)
{
    DeviceCaps caps;
    caps.logPixelsX = 120;
    caps.logPixelsY = 110;
    RecordingDC ref(caps);
    EmfDC dc(ref, kDevice, "");
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 120);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 110);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 1280);
    EXPECT_EQ(dc.GetDeviceCaps(VERTSIZE), 271);
    EXPECT_EQ(EmfDevice::Of(ref).pixels, (Size{1280, 1024}));
    // Text is measured on the reference.
    dc.SelectFont(Font(-20, "Arial"));
    EXPECT_EQ(dc.GetTextExtent("abc"), (Size{36, 20}));
    EXPECT_EQ(dc.GetTextMetrics().ascent, 16);

    const std::string bytes = dc.Close();
    EXPECT_TRUE(emftest::Read(bytes).errors.empty());
    EXPECT_TRUE(dc.IsClosed());
    EXPECT_FALSE(dc.LineTo(3, 3));
    EXPECT_FALSE(dc.TextOut(0, 0, "x"));
    EXPECT_TRUE(dc.Close().empty());
}
