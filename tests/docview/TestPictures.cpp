// Pictures: formats told by their bytes, metafile sizes, the holder's file lookup, its
// stored form (bytes kept verbatim, whatever they are), drawing and default sizes.
#include "app/Accessors.h"
#include "docview/CImagePicture.h"
#include "docview/CObjetBitmap.h"
#include "platform/FakeImageDecoder.h"
#include "platform/FakeServices.h"
#include "platform/RecordingDC.h"
#include "support/PictureBytes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using picture::Format;
using namespace testpictures;

const std::string kJpegHead("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);
const std::string kPngHead("\x89PNG\r\n\x1a\n\x00\x00\x00\x0DIHDR", 16);

TEST(PictureFormats, AreToldByTheirFirstBytes)
{
    EXPECT_EQ(picture::DetectFormat(Bmp24(2, 2, 0)), Format::Bmp);
    EXPECT_EQ(picture::DetectFormat(Rle8Bmp()), Format::Bmp);
    EXPECT_EQ(picture::DetectFormat(RedGif()), Format::Gif);
    EXPECT_EQ(picture::DetectFormat(kJpegHead), Format::Jpeg);
    EXPECT_EQ(picture::DetectFormat(kPngHead), Format::Png);
    EXPECT_EQ(picture::DetectFormat(EmfRectangle(2540, 1270, 0)), Format::Emf);
    EXPECT_EQ(picture::DetectFormat(WmfRectangle(1440, 0)), Format::Wmf);
    EXPECT_EQ(picture::DetectFormat(WmfRectangle(1440, 0, false)), Format::Wmf);
    for (const std::string& other : {std::string(), std::string("B"), std::string("GIF87"), std::string("hello world"),
                                     EmfRectangle(2540, 1270, 0).substr(0, 43),
                                     WmfRectangle(1440, 0).substr(0, 24)})
        EXPECT_EQ(picture::DetectFormat(other), Format::Unknown) << other.size() << " bytes";
}

TEST(PictureFormats, MetafilesGiveTheirOwnSizeAndAreCheckedRecordByRecord)
{
    EXPECT_EQ(picture::MetafileSizeHimetric(EmfRectangle(2540, 1270, 0)), (gdi::Size{2540, 1270}));
    // 2000 x 1000 units at 1440 a inch.
    EXPECT_EQ(picture::MetafileSizeHimetric(WmfRectangle(1440, 0)), (gdi::Size{3527, 1763}));
    EXPECT_EQ(picture::MetafileSizeHimetric(WmfRectangle(0, 0)), std::nullopt);
    EXPECT_EQ(picture::MetafileSizeHimetric(WmfRectangle(1440, 0, false)), std::nullopt);
    EXPECT_EQ(picture::MetafileSizeHimetric(EmfRectangle(0, 1270, 0)), std::nullopt);
    EXPECT_EQ(picture::MetafileSizeHimetric(Bmp24(2, 2, 0)), std::nullopt);

    const std::string emf = EmfRectangle(2540, 1270, 0);
    EXPECT_TRUE(picture::IsWellFormedMetafile(emf));
    EXPECT_FALSE(picture::IsWellFormedMetafile(emf.substr(0, emf.size() - 20)));  // no end record
    std::string overrun = emf;
    overrun[88 + 4] = '\x7F';  // the first record claims more bytes than there are
    EXPECT_FALSE(picture::IsWellFormedMetafile(overrun));
    // A description outside the header record: a reader took it from beyond the file.
    std::string description = emf;
    description[64] = '\xC0';  // its offset, with no count
    EXPECT_FALSE(picture::IsWellFormedMetafile(description));
    description[60] = '\x08';  // eight characters at 192, past the 88-byte header
    EXPECT_FALSE(picture::IsWellFormedMetafile(description));
    const std::string wmf = WmfRectangle(1440, 0);
    EXPECT_TRUE(picture::IsWellFormedMetafile(wmf));
    EXPECT_TRUE(picture::IsWellFormedMetafile(WmfRectangle(1440, 0, false)));
    EXPECT_FALSE(picture::IsWellFormedMetafile(wmf.substr(0, wmf.size() - 6)));
    EXPECT_FALSE(picture::IsWellFormedMetafile(Bmp24(1, 1, 0)));
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override { GetAppContext() = AppContext{}; }
    void TearDown() override { GetAppContext() = AppContext{}; }
    testsupport::TempDir dir_;
    ScopedFakeImageDecoder decoder_;
    ScopedFakeServices services_;
};

TEST_F(Pictures, LoadFindsTheFileByExtensionOrTriesEachKnownOne)
{
    testsupport::WriteFileBytes(dir_ / "photo.jpg", kJpegHead + "rest");
    CImagePicture holder;
    EXPECT_TRUE(holder.Load(dir_ / "photo.jpg"));
    EXPECT_EQ(holder.GetFormat(), Format::Jpeg);
    // The extension is recognised in any case, and the file found without regard to case.
    CImagePicture upper;
    EXPECT_TRUE(upper.Load(dir_ / "PHOTO.JPG"));
    EXPECT_EQ(upper.GetBytes(), kJpegHead + "rest");

    // Without an extension, every existing file of the seven is loaded in turn: the last stays.
    testsupport::WriteFileBytes(dir_ / "view.bmp", Bmp24(1, 1, 0));
    testsupport::WriteFileBytes(dir_ / "VIEW.GIF", RedGif());
    CImagePicture tried;
    EXPECT_TRUE(tried.Load(dir_ / "view"));
    EXPECT_EQ(tried.GetFormat(), Format::Gif);
    testsupport::WriteFileBytes(dir_ / "view.emf", EmfRectangle(100, 100, 0));
    EXPECT_TRUE(tried.Load(dir_ / "view"));
    EXPECT_EQ(tried.GetFormat(), Format::Emf);

    // Nothing found, or a file that is no picture: false, and the holder keeps its picture.
    EXPECT_FALSE(tried.Load(dir_ / "missing.bmp"));
    EXPECT_FALSE(tried.Load(dir_ / "view.txt"));
    testsupport::WriteFileBytes(dir_ / "notes.bmp", "these are words");
    EXPECT_FALSE(tried.Load(dir_ / "notes.bmp"));
    EXPECT_EQ(tried.GetFormat(), Format::Emf);
    // The last file tried decides: here the .emf is text, though the .bmp before it loaded.
    testsupport::WriteFileBytes(dir_ / "mixed.bmp", Bmp24(1, 1, 0));
    testsupport::WriteFileBytes(dir_ / "mixed.emf", "not a metafile");
    CImagePicture mixed;
    EXPECT_FALSE(mixed.Load(dir_ / "mixed"));
    EXPECT_EQ(mixed.GetFormat(), Format::Bmp);
}

std::string StoreFrame(const CObjetBitmap& frame)
{
    Archive ar = Archive::ForStoring();
    ar.WriteObject(&frame);
    return ar.Bytes();
}

std::unique_ptr<CObjetBitmap> LoadFrame(const std::string& bytes)
{
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        r.Register<CObjetBitmap>();
        return r;
    }();
    Archive ar = Archive::ForLoading(bytes, registry);
    auto frame = ar.ReadObjectAs<CObjetBitmap>();
    if (ar.Remaining() != 0)
        ADD_FAILURE() << ar.Remaining() << " bytes left unread";
    return frame;
}

TEST_F(Pictures, StoredPicturesComeBackByteForByte)
{
    // An enhanced metafile, and bytes of no known format written in their
    // place: both are kept as they are and written back unchanged.
    CObjetBitmap frame;
    frame.SetPosition(1, 2, 41, 32);
    std::string emf = EmfRectangle(2540, 1270, 0x00FF00);
    ASSERT_TRUE(frame.GetPicture().LoadFromBytes(emf));
    const std::string stored = StoreFrame(frame);
    ASSERT_EQ(stored.substr(stored.size() - emf.size() - 12, 12),
              std::string("\x01\x00\x00\x00\x01\x00\x00\x00", 8) + std::string(1, static_cast<char>(emf.size())) +
                  std::string("\x00\x00\x00", 3));
    const auto read = LoadFrame(stored);
    EXPECT_EQ(read->GetPicture().GetBytes(), emf);
    EXPECT_EQ(read->GetRect(), frame.GetRect());
    EXPECT_EQ(StoreFrame(*read), stored);

    std::string foreign = stored;
    foreign.replace(foreign.size() - emf.size(), 4, "\x7F\x7F\x7F\x7F");
    const auto kept = LoadFrame(foreign);
    EXPECT_EQ(kept->GetPicture().GetFormat(), Format::Unknown);
    EXPECT_EQ(StoreFrame(*kept), foreign);

    // No picture: flag 0 and nothing after it; any flag but 1 is read as none.
    CObjetBitmap empty;
    const std::string none = StoreFrame(empty);
    EXPECT_EQ(none.substr(none.size() - 8), std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8));
    EXPECT_TRUE(LoadFrame(none)->GetPicture().IsEmpty());
    std::string two = none;
    two[two.size() - 4] = 2;
    EXPECT_TRUE(LoadFrame(two)->GetPicture().IsEmpty());

    // A negative or overlong count is a damaged file.
    std::string negative = stored.substr(0, stored.size() - emf.size() - 4) + std::string("\xFF\xFF\xFF\xFF", 4);
    EXPECT_THROW(LoadFrame(negative), ArchiveException);
    EXPECT_THROW(LoadFrame(stored.substr(0, stored.size() - 1)), ArchiveException);
}

TEST_F(Pictures, PicturesDrawDecodedOrAsAFramedPlaceholder)
{
    decoder_->SetBitmapSize(Format::Bmp, {4, 3});
    decoder_->SupportMetafile(Format::Emf);
    CImagePicture bmp;
    ASSERT_TRUE(bmp.LoadFromBytes(Bmp24(4, 3, 0)));
    gdi::RecordingDC dc;
    bmp.Render(dc, {10, 20, 110, 70});
    bmp.Render(dc, {0, 0, 8, 6});
    ASSERT_EQ(dc.Records().size(), 2u);
    EXPECT_EQ(dc.Records()[0].kind, gdi::RecordKind::DrawImage);
    EXPECT_EQ(dc.Records()[0].args, (std::vector<int>{10, 20, 110, 70, 4, 3}));
    EXPECT_EQ(decoder_->calls.size(), 1u) << "a bitmap is decoded once";

    // A metafile is rendered at the size it is drawn.
    CImagePicture emf;
    ASSERT_TRUE(emf.LoadFromBytes(EmfRectangle(2540, 1270, 0)));
    gdi::RecordingDC vector;
    emf.Render(vector, {0, 0, 200, 100});
    emf.Render(vector, {5, 5, 205, 105});
    emf.Render(vector, {0, 0, 50, 25});
    ASSERT_EQ(vector.Records().size(), 3u);
    EXPECT_EQ(vector.Records()[0].args, (std::vector<int>{0, 0, 200, 100, 200, 100}));
    EXPECT_EQ(vector.Records()[2].args, (std::vector<int>{0, 0, 50, 25, 50, 25}));
    EXPECT_EQ(decoder_->calls.size(), 3u) << "one decoding per new size";

    // What cannot be decoded is kept and marked: a crossed frame, no image.
    CImagePicture wmf;
    ASSERT_TRUE(wmf.LoadFromBytes(WmfRectangle(1440, 0)));
    EXPECT_FALSE(wmf.CanDecode());
    gdi::RecordingDC placeholder;
    wmf.Render(placeholder, {10, 10, 60, 40});
    int rectangles = 0, lines = 0, images = 0;
    for (const gdi::Record& r : placeholder.Records()) {
        rectangles += r.kind == gdi::RecordKind::Rectangle;
        lines += r.kind == gdi::RecordKind::LineTo;
        images += r.kind == gdi::RecordKind::DrawImage;
    }
    EXPECT_EQ(rectangles, 1);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(images, 0);
    EXPECT_FALSE(wmf.IsEmpty());

    gdi::RecordingDC nothing;
    CImagePicture().Render(nothing, {0, 0, 10, 10});
    EXPECT_TRUE(nothing.Records().empty());
}

// A document that holds one huge picture in many frames: decoded once, at the size drawn. A
// picture that the memory budget cannot hold is drawn as a placeholder, and the user is told
// once, after the painting.
TEST_F(Pictures, PicturesAreSharedDecodedAtTheSizeDrawnAndKeptWithinABudget)
{
    ScopedFakeTimers timers;
    decoder_->SetBitmapSize(Format::Gif, {5000, 5000});
    std::vector<CObjetBitmap> frames(81);
    for (CObjetBitmap& frame : frames)
        ASSERT_TRUE(frame.GetPicture().LoadFromBytes(RedGif()));
    gdi::RecordingDC dc;
    for (CObjetBitmap& frame : frames)
        frame.DrawContents(dc, 0, 0, 200, 100);
    ASSERT_EQ(decoder_->calls.size(), 1u);
    EXPECT_EQ(decoder_->calls[0].size, (gdi::Size{200, 100}));
    EXPECT_EQ(dc.Records().size(), frames.size());

    // Room for another picture, but not beside the one decoded above: one byte short.
    CImagePicture::SetMemoryBudget(3000 * 3000 * 4 + 200 * 100 * 4 - 1);
    decoder_->SetBitmapSize(Format::Png, {3000, 3000});
    CObjetBitmap other;
    ASSERT_TRUE(other.GetPicture().LoadFromBytes(kPngHead));
    gdi::RecordingDC full;
    other.DrawContents(full, 0, 0, 3000, 3000);
    other.DrawContents(full, 0, 0, 3000, 3000);
    CImagePicture::SetMemoryBudget(CImagePicture::kDefaultMemoryBudgetBytes);
    EXPECT_EQ(decoder_->calls.size(), 1u);
    EXPECT_TRUE(std::none_of(full.Records().begin(), full.Records().end(),
                             [](const gdi::Record& r) { return r.kind == gdi::RecordKind::DrawImage; }));
    EXPECT_TRUE(services_->messageBoxes.empty());
    timers->Advance(100);
    ASSERT_EQ(services_->messageBoxes.size(), 1u);
    EXPECT_NE(services_->messageBoxes[0].text.find("mémoire"), std::string::npos);
}

TEST_F(Pictures, PictureFrameDefaultSizeIsThePicturesOwnOnTheScreen)
{
    CObjetBitmap frame;
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{100, 50}));

    // One inch by half an inch: 96 x 48 pixels at 96 pixels per inch, 120 x 60 at 120.
    ASSERT_TRUE(frame.GetPicture().LoadFromBytes(EmfRectangle(2540, 1270, 0)));
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{96, 48}));
    GetAppContext().screenPixelsPerInchX = 120;
    GetAppContext().screenPixelsPerInchY = 120;
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{120, 60}));

    // A bitmap keeps its pixel size whatever the resolution.
    decoder_->SetBitmapSize(Format::Gif, {37, 23});
    ASSERT_TRUE(frame.GetPicture().LoadFromBytes(RedGif()));
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{37, 23}));
    GetAppContext().screenPixelsPerInchX = 96;
    GetAppContext().screenPixelsPerInchY = 96;
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{37, 23}));

    // Sizes that cannot be read: 100 x 50.
    ASSERT_TRUE(frame.GetPicture().LoadFromBytes(Bmp24(5, 5, 0)));  // no decoder for it
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{100, 50}));
    ASSERT_TRUE(frame.GetPicture().LoadFromBytes(WmfRectangle(1440, 0, false)));
    EXPECT_EQ(frame.GetDefaultSize(), (gdi::Size{100, 50}));
}

TEST_F(Pictures, PictureFrameAsksForAFileAndLoadsIt)
{
    testsupport::WriteFileBytes(dir_ / "sun.gif", RedGif());
    CObjetBitmap frame;
    services_->QueueOpenFile(dir_ / "sun.gif");
    EXPECT_EQ(frame.EditProperties(), 1);
    ASSERT_EQ(services_->fileDialogs.size(), 1u);
    EXPECT_FALSE(services_->fileDialogs[0].save);
    EXPECT_EQ(services_->fileDialogs[0].request.filter,
              "BMP - Windows Bitmap|*.bmp|GIF Bitmap|*.gif|JPG Picture|*.jpg|WMF Windows Metafile |*.wmf|"
              "EMF Enhanced Windows Metafile |*.emf||");
    EXPECT_EQ(frame.GetPicture().GetFormat(), Format::Gif);

    services_->QueueOpenFile(std::nullopt);
    EXPECT_EQ(frame.EditProperties(), 1);
    EXPECT_EQ(frame.GetPicture().GetFormat(), Format::Gif);
}

}  // namespace
