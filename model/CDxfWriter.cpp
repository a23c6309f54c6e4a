#include "model/CDxfWriter.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Wide enough for two blanks and every finite double in fixed notation.
constexpr std::size_t kValueChars = 400;

// Two blanks and "%.4f" of v with a decimal point, written from begin; returns the end. The
// export writes tens of thousands of values: the common ones are printed from an integer
// of ten-thousandths, the others by to_chars.
char* FormatInto(char* begin, double v)
{
    *begin++ = ' ';
    *begin++ = ' ';
    const double scaled = std::fabs(v * 10000.0);
    // Below 1e10 the product is within 1e-6 of the exact 10000 v, so unless it lies that
    // close to a half its nearest integer is the correctly rounded fourth decimal.
    if (scaled < 1e10) {
        const long long whole = static_cast<long long>(scaled);
        const double fraction = scaled - static_cast<double>(whole);
        if (std::fabs(fraction - 0.5) > 1e-5) {
            unsigned long long n = static_cast<unsigned long long>(whole) + (fraction > 0.5 ? 1 : 0);
            char digits[24];
            char* p = digits + sizeof digits;
            for (int k = 0; k < 4; ++k) {
                *--p = static_cast<char>('0' + n % 10);
                n /= 10;
            }
            *--p = '.';
            do {
                *--p = static_cast<char>('0' + n % 10);
                n /= 10;
            } while (n != 0);
            if (std::signbit(v))
                *--p = '-';
            for (; p != digits + sizeof digits; ++p)
                *begin++ = *p;
            return begin;
        }
    }
    const auto result = std::to_chars(begin, begin + kValueChars - 2, v, std::chars_format::fixed, 4);
    return result.ec == std::errc() ? result.ptr : begin;
}

}  // namespace

std::string CDxfWriter::FormatValue(double v)
{
    char buffer[kValueChars];
    return std::string(buffer, FormatInto(buffer, v));
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
    file_ = std::make_unique<textfile::AtomicWriter>(path, std::string(kLineEnd));
    state_ = kOk;
    return true;
}

bool CDxfWriter::Close(std::string* error)
{
    if (!IsOpen())
        return false;
    Line("  0");
    Line("EOF");
    const bool ok = file_->Commit(error);
    file_.reset();
    if (!ok)
        state_ = kCannotWrite;
    return ok;
}

void CDxfWriter::Reserve(std::size_t bytes)
{
    if (file_)
        file_->Reserve(bytes);
}

void CDxfWriter::Line(std::string_view line)
{
    if (file_)
        file_->WriteLine(line);
}

void CDxfWriter::Value(double v)
{
    if (!file_)
        return;
    char buffer[kValueChars + kLineEnd.size()];
    char* end = FormatInto(buffer, v);
    for (const char c : kLineEnd)
        *end++ = c;
    file_->Write(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

void CDxfWriter::BeginHeader()
{
    Line("  0");
    Line("SECTION");
    Line("  2");
    Line("HEADER");
}

void CDxfWriter::WriteExtents(double minX, double minY, double maxX, double maxY)
{
    Line("  9");
    Line("$EXTMIN");
    Line(" 10");
    Value(minX);
    Line(" 20");
    Value(minY);
    Line("  9");
    Line("$EXTMAX");
    Line(" 10");
    Value(maxX);
    Line(" 20");
    Value(maxY);
}

void CDxfWriter::EndHeader()
{
    Line("  0");
    Line("ENDSEC");
}

void CDxfWriter::BeginEntities()
{
    Line("  0");
    Line("SECTION");
    Line("  2");
    Line("ENTITIES");
}

void CDxfWriter::EndEntities()
{
    Line("  0");
    Line("ENDSEC");
}

void CDxfWriter::WriteLine(double x1, double y1, double x2, double y2)
{
    Line("  0");
    Line("LINE");
    Line(" 10");
    Value(x1);
    Line(" 20");
    Value(y1);
    Line(" 11");
    Value(x2);
    Line(" 21");
    Value(y2);
}

void CDxfWriter::BeginPolyline()
{
    Line("  0");
    Line("POLYLINE");
}

void CDxfWriter::WriteVertex(double x, double y)
{
    Line("  0");
    Line("VERTEX");
    Line(" 10");
    Value(x);
    Line(" 20");
    Value(y);
}

void CDxfWriter::EndSequence()
{
    Line("  0");
    Line("SEQEND");
}

void CDxfWriter::WriteRectangle(double x1, double y1, double x2, double y2)
{
    Line("  0");
    Line("POLYLINE");
    Line(" 40");
    Line("  0.000000");
    Line(" 41");
    Line("  0.000000");
    WriteVertex(x1, y1);
    WriteVertex(x2, y1);
    WriteVertex(x2, y2);
    WriteVertex(x1, y2);
    WriteVertex(x1, y1);
    EndSequence();
}

void CDxfWriter::WriteCircle(double x, double y, double radius)
{
    Line("  0");
    Line("CIRCLE");
    Line(" 10");
    Value(x);
    Line(" 20");
    Value(y);
    Line(" 40");
    Value(radius);
}
