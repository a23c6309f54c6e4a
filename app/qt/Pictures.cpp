#include "app/qt/Pictures.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// The fields of one line of a CSV file (double quotes around fields, "" for a quote).
std::vector<QString> CsvFields(const QString& line)
{
    std::vector<QString> fields(1);
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// id (column idColumn) -> resource path of the file (column fileColumn, or "<id>.png").
std::map<int, QString> ReadIndex(const QString& folder, const QString& csv, int idColumn, int fileColumn)
{
    std::map<int, QString> index;
    QFile file(folder + csv);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return index;
    file.readLine();  // column names
    while (!file.atEnd()) {
        const std::vector<QString> fields = CsvFields(QString::fromUtf8(file.readLine()).trimmed());
        if (static_cast<int>(fields.size()) <= std::max(idColumn, fileColumn))
            continue;
        bool ok = false;
        const int id = fields[idColumn].toInt(&ok);
        if (ok)
            index.emplace(id, folder + (fileColumn >= 0 ? fields[fileColumn] : fields[idColumn] + ".png"));
    }
    return index;
}

const std::map<int, QString>& Bitmaps()
{
    static const std::map<int, QString> index = ReadIndex(":/images/", "pictures.csv", 0, 1);
    return index;
}

const std::map<int, QString>& ToolbarIcons()
{
    static const std::map<int, QString> index = ReadIndex(":/images/toolbar/", "index.csv", 1, -1);
    return index;
}

QPixmap Lookup(const std::map<int, QString>& index, int id)
{
    const auto found = index.find(id);
    return found == index.end() ? QPixmap() : QPixmap(found->second);
}

}  // namespace

QPixmap LoadBitmapResource(int resourceId) { return Lookup(Bitmaps(), resourceId); }

QImage LoadBitmapImage(int resourceId)
{
    const auto found = Bitmaps().find(resourceId);
    return found == Bitmaps().end() ? QImage() : QImage(found->second);
}

QPixmap LoadToolbarBitmap(int commandId) { return Lookup(ToolbarIcons(), commandId); }

QPixmap LoadApplicationIcon() { return QPixmap(":/images/horavel_256.png"); }

QImage MapToDialogColours(const QImage& image, const QPalette& palette)
{
    if (image.isNull())
        return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, 0);
    const QRgb window = palette.color(QPalette::Window).rgba();
    const std::pair<QRgb, QRgb> greys[] = {
        {qRgb(128, 128, 128), palette.color(QPalette::Dark).rgba()},
        {qRgb(192, 192, 192), palette.color(QPalette::Button).rgba()},
        {qRgb(223, 223, 223), palette.color(QPalette::Light).rgba()},
    };
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb pixel = line[x];
            if (pixel == key) {
                line[x] = window;
                continue;
            }
            for (const auto& [grey, colour] : greys) {
                if (pixel == grey) {
                    line[x] = colour;
                    break;
                }
            }
        }
    }
    return out;
}
