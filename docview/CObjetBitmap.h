#pragma once
// A picture frame: a picture from a file, stretched over the frame.
#include "docview/CImagePicture.h"
#include "docview/CObjetCadre.h"

class CObjetBitmap : public CObjetCadre {
    HV_DECLARE_SERIAL(CObjetBitmap)
public:
    static constexpr int kContextMenu = 191;
    // The file chooser's filter of EditProperties.
    static constexpr const char* kFileFilter =
        "BMP - Windows Bitmap|*.bmp|GIF Bitmap|*.gif|JPG Picture|*.jpg|WMF Windows Metafile |*.wmf|"
        "EMF Enhanced Windows Metafile |*.emf||";

    CObjetBitmap();
    CObjetBitmap(const CObjetBitmap&) = default;
    CObjetBitmap& operator=(const CObjetBitmap&) = default;

    // The class record and fields of the base frame, then the picture record.
    void Serialize(Archive& ar) override;
    // A frame of its own kind sharing the picture's bytes.
    std::unique_ptr<CObjetCadre> Clone() const override;
    void DrawContents(gdi::DC& dc, int left, int top, int right, int bottom) override;
    // Asks for a picture file and loads it; 1 whether or not one was chosen.
    int EditProperties() override;
    // The picture's own size in screen pixels; 100 or 50 for a dimension that cannot be
    // read, 100 x 50 without a picture.
    gdi::Size GetDefaultSize() const override;

    CImagePicture& GetPicture() { return picture_; }
    const CImagePicture& GetPicture() const { return picture_; }

private:
    CImagePicture picture_;
};
