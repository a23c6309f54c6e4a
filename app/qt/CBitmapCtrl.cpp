#include "app/qt/CBitmapCtrl.h"

#include "app/qt/ControlHost.h"
#include "app/qt/Pictures.h"

#include <QImage>
#include <QPainter>

CBitmapCtrl::CBitmapCtrl() = default;

CBitmapCtrl::~CBitmapCtrl() = default;

bool CBitmapCtrl::Place(ControlHost& parent, int id, int placeholderId, bool transparent)
{
    if (!parent.ReplacePlaceholder(placeholderId, *this, id))
        return false;
    placeholderId_ = placeholderId;
    transparent_ = transparent;
    setEnabled(false);
    return true;
}

void CBitmapCtrl::SetPicture(QImage image)
{
    if (transparent_ && !image.isNull())
        image = MapToDialogColours(image, parentWidget() ? parentWidget()->palette() : palette());
    bitmap_ = QPixmap::fromImage(image);
    update();
}

bool CBitmapCtrl::CreateFromFile(ControlHost& parent, int id, int placeholderId, const std::filesystem::path& file,
                                 bool transparent)
{
    if (!Place(parent, id, placeholderId, transparent))
        return false;
    fileName_ = file;
    SetPicture(QImage(QString::fromStdString(file.string())));
    return HasBitmap();
}

bool CBitmapCtrl::CreateFromResource(ControlHost& parent, int id, int placeholderId, int resourceId, bool transparent)
{
    if (!Place(parent, id, placeholderId, transparent))
        return false;
    resourceId_ = resourceId;
    SetPicture(LoadBitmapImage(resourceId));
    return HasBitmap();
}

bool CBitmapCtrl::GetBitmapSize(int& width, int& height) const
{
    width = HasBitmap() ? bitmap_.width() : 0;
    height = HasBitmap() ? bitmap_.height() : 0;
    return HasBitmap();
}

void CBitmapCtrl::paintEvent(QPaintEvent*)
{
    if (bitmap_.isNull())
        return;
    QPainter painter(this);
    // Stretched pixel by pixel, without smoothing.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect(), bitmap_);
}
