// The shapes the dial records while it is drawn for an export, and the DXF export of them.
#include "model/CCadran.h"
#include "model/CDxfWriter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kTenthToMm = 0.1;
constexpr double kBoundsStart = 1e-15;

}  // namespace

void CCadran::ClearExportShapes()
{
    currentShape = nullptr;
    exportShapes.clear();
    boundsMin = CDoublePoint(kBoundsStart, kBoundsStart);
    boundsMax = CDoublePoint(kBoundsStart, kBoundsStart);
}

void CCadran::UpdateBounds(const CDoublePoint& p)
{
    boundsMin.x = std::min(boundsMin.x, p.x);
    boundsMin.y = std::min(boundsMin.y, p.y);
    boundsMax.x = std::max(boundsMax.x, p.x);
    boundsMax.y = std::max(boundsMax.y, p.y);
}

void CCadran::AddSegmentShape(int x1, int y1, int x2, int y2)
{
    auto shape = std::make_unique<CPolyline>();
    shape->AddPoint(x1 * kTenthToMm, y1 * kTenthToMm);
    shape->AddPoint(x2 * kTenthToMm, y2 * kTenthToMm);
    UpdateBounds(shape->points[0]);
    UpdateBounds(shape->points[1]);
    exportShapes.push_back(std::move(shape));
}

void CCadran::BeginShape(int x, int y)
{
    auto shape = std::make_unique<CPolyline>();
    shape->AddPoint(x * kTenthToMm, y * kTenthToMm);
    // The bounds take the first point with the second: a run that stays at one point is
    // not exported.
    currentShape = shape.get();
    exportShapes.push_back(std::move(shape));
}

void CCadran::AddShapePoint(int x, int y)
{
    if (currentShape == nullptr)
        return;
    if (currentShape->GetCount() == 1)
        UpdateBounds(currentShape->points[0]);
    currentShape->AddPoint(x * kTenthToMm, y * kTenthToMm);
    UpdateBounds(currentShape->points.back());
}

void CCadran::AddPointShape(int x, int y, int width)
{
    auto shape = std::make_unique<CPolyline>();
    shape->AddPoint(x * kTenthToMm, y * kTenthToMm);
    shape->width = width;
    shape->isPoint = true;
    const CDoublePoint& c = shape->points[0];
    const double radius = std::abs(width * kTenthToMm);
    UpdateBounds(CDoublePoint(c.x - radius, c.y - radius));
    UpdateBounds(CDoublePoint(c.x + radius, c.y + radius));
    exportShapes.push_back(std::move(shape));
}

void CCadran::AddRectangleShape(int left, int top, int right, int bottom)
{
    auto shape = std::make_unique<CPolyline>();
    shape->AddPoint(left * kTenthToMm, top * kTenthToMm);
    shape->AddPoint(right * kTenthToMm, top * kTenthToMm);
    shape->AddPoint(right * kTenthToMm, bottom * kTenthToMm);
    shape->AddPoint(left * kTenthToMm, bottom * kTenthToMm);
    shape->AddPoint(left * kTenthToMm, top * kTenthToMm);
    for (const CDoublePoint& p : shape->points)
        UpdateBounds(p);
    exportShapes.push_back(std::move(shape));
}

bool CCadran::ExportDxf(const std::filesystem::path& path, std::string* error)
{
    CDxfWriter writer;
    if (!writer.Open(path)) {
        if (error)
            *error = "cannot create " + path.string();
        return false;
    }
    // A vertex is six lines, about 48 bytes: the text is made in one piece.
    std::size_t points = 0;
    for (const auto& shape : exportShapes)
        points += shape->points.size();
    writer.Reserve(256 + 32 * exportShapes.size() + 48 * points);
    writer.BeginHeader();
    writer.WriteExtents(boundsMin.x, boundsMin.y, boundsMax.x, boundsMax.y);
    writer.EndHeader();
    writer.BeginEntities();
    for (const auto& shape : exportShapes) {
        const auto& p = shape->points;
        if (shape->GetCount() == 1) {
            if (shape->isPoint)
                writer.WriteCircle(p[0].x, p[0].y, shape->width * kTenthToMm);
        } else if (shape->GetCount() == 2) {
            writer.WriteLine(p[0].x, p[0].y, p[1].x, p[1].y);
        } else {
            writer.BeginPolyline();
            for (const CDoublePoint& v : p)
                writer.WriteVertex(v.x, v.y);
            writer.EndSequence();
        }
    }
    writer.EndEntities();
    return writer.Close(error);
}
