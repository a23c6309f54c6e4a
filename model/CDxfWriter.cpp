#include "model/CDxfWriter.h"

#include <charconv>
#include <system_error>

std::string CDxfWriter::FormatValue(double v)
{
    // Wide enough for every finite double in fixed notation.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 4);
    std::string text = "  ";
    if (result.ec == std::errc())
        text.append(buffer, result.ptr);
    return text;
}

bool CDxfWriter::Open(const std::filesystem::path& path)
{
    if (IsOpen())
        return false;
    std::error_code ec;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    if (path.filename().empty() || !std::filesystem::is_directory(folder, ec)) {
        state_ = kCannotCreate;
        return false;
    }
    file_ = std::make_unique<textfile::AtomicWriter>(path, "\r\n");
    state_ = kOk;
    return true;
}

bool CDxfWriter::Close(std::string* error)
{
    if (!IsOpen())
        return false;
    Put("  0");
    Put("EOF");
    const bool ok = file_->Commit(error);
    file_.reset();
    if (!ok)
        state_ = kCannotWrite;
    return ok;
}

void CDxfWriter::Put(std::string_view line)
{
    if (file_)
        file_->WriteLine(line);
}

void CDxfWriter::BeginHeader()
{
    Put("  0");
    Put("SECTION");
    Put("  2");
    Put("HEADER");
}

void CDxfWriter::WriteExtents(double minX, double minY, double maxX, double maxY)
{
    Put("  9");
    Put("$EXTMIN");
    Put(" 10");
    PutValue(minX);
    Put(" 20");
    PutValue(minY);
    Put("  9");
    Put("$EXTMAX");
    Put(" 10");
    PutValue(maxX);
    Put(" 20");
    PutValue(maxY);
}

void CDxfWriter::EndHeader()
{
    Put("  0");
    Put("ENDSEC");
}

void CDxfWriter::BeginEntities()
{
    Put("  0");
    Put("SECTION");
    Put("  2");
    Put("ENTITIES");
}

void CDxfWriter::EndEntities()
{
    Put("  0");
    Put("ENDSEC");
}

void CDxfWriter::WriteLine(double x1, double y1, double x2, double y2)
{
    Put("  0");
    Put("LINE");
    Put(" 10");
    PutValue(x1);
    Put(" 20");
    PutValue(y1);
    Put(" 11");
    PutValue(x2);
    Put(" 21");
    PutValue(y2);
}

void CDxfWriter::BeginPolyline()
{
    Put("  0");
    Put("POLYLINE");
}

void CDxfWriter::WriteVertex(double x, double y)
{
    Put("  0");
    Put("VERTEX");
    Put(" 10");
    PutValue(x);
    Put(" 20");
    PutValue(y);
}

void CDxfWriter::EndSequence()
{
    Put("  0");
    Put("SEQEND");
}

void CDxfWriter::WriteRectangle(double x1, double y1, double x2, double y2)
{
    Put("  0");
    Put("POLYLINE");
    Put(" 40");
    Put("  0.000000");
    Put(" 41");
    Put("  0.000000");
    WriteVertex(x1, y1);
    WriteVertex(x2, y1);
    WriteVertex(x2, y2);
    WriteVertex(x1, y2);
    WriteVertex(x1, y1);
    EndSequence();
}

void CDxfWriter::WriteCircle(double x, double y, double radius)
{
    Put("  0");
    Put("CIRCLE");
    Put(" 10");
    PutValue(x);
    Put(" 20");
    PutValue(y);
    Put(" 40");
    PutValue(radius);
}
