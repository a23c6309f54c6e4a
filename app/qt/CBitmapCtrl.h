#pragma once
// A picture stretched over the place of a placeholder control of a dialog or page: the
// maps, the start-up screen, the dimension and ephemeris-date dialogs. The picture comes
// from a file or from the program's pictures by id, and lives as long as the control.
#include <QPixmap>
#include <QWidget>

#include <filesystem>

class ControlHost;

class CBitmapCtrl : public QWidget {
    Q_OBJECT

public:
    CBitmapCtrl();
    ~CBitmapCtrl() override;

    // Takes the place of the placeholder control of parent (same place and size), as a
    // visible, disabled control with the given id, and loads the picture. transparent: the
    // picture takes the dialog's colours (MapToDialogColours). False when the placeholder
    // does not exist (the control is then not placed) or the picture cannot be loaded (the
    // control is placed and shows nothing).
    bool CreateFromFile(ControlHost& parent, int id, int placeholderId, const std::filesystem::path& file,
                        bool transparent);
    bool CreateFromResource(ControlHost& parent, int id, int placeholderId, int resourceId, bool transparent);

    // The picture's size in pixels; false, and 0 x 0, without a picture.
    bool GetBitmapSize(int& width, int& height) const;
    bool HasBitmap() const { return !bitmap_.isNull(); }
    // The picture itself, for an owner that draws on it (update() afterwards).
    QPixmap& Bitmap() { return bitmap_; }

    int GetPlaceholderId() const { return placeholderId_; }
    int GetResourceId() const { return resourceId_; }
    const std::filesystem::path& GetFileName() const { return fileName_; }
    bool IsTransparent() const { return transparent_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool Place(ControlHost& parent, int id, int placeholderId, bool transparent);
    void SetPicture(QImage image);

    int placeholderId_ = 0;
    int resourceId_ = 0;
    QPixmap bitmap_;
    std::filesystem::path fileName_;
    bool transparent_ = false;
};
