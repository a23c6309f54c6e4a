#include "dialogs/HorizonMaskFile.h"

#include "app/Formatting.h"
#include "app/Trace.h"
#include "platform/AsciiText.h"
#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace horizonmask {

namespace {

constexpr std::string_view kSeparators = " \t;";

std::string_view SkipSeparators(std::string_view text)
{
    const auto start = text.find_first_not_of(kSeparators);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

}  // namespace

bool ParseLine(std::string_view line, CHorizonPoint& point)
{
    line = SkipSeparators(line);
    const auto separator = line.find_first_of(kSeparators);
    if (separator == std::string_view::npos || separator == 0)
        return false;
    std::string_view height = SkipSeparators(line.substr(separator + 1));
    height = height.substr(0, height.find_first_of(kSeparators));
    point.azimuth = StringToInt(line.substr(0, separator));
    point.height = StringToInt(height);
    return true;
}

bool IsValidPoint(const CHorizonPoint& point)
{
    return point.azimuth >= -180 && point.azimuth <= 180 && point.height >= 0 && point.height <= 90;
}

ReadResult ReadText(std::string_view bytes, std::vector<CHorizonPoint>& points)
{
    if (bytes.size() > kMaxFileBytes)
        return ReadResult::TooLarge;
    const std::string text = enc::DecodeFileText(bytes);
    std::string_view rest = text;
    const auto nextLine = [&rest] {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    };
    if (!ascii::EqualsNoCase(nextLine(), kSignature))
        return ReadResult::BadSignature;
    std::size_t leftOut = 0;
    while (!rest.empty()) {
        CHorizonPoint point;
        if (!ParseLine(nextLine(), point))
            continue;
        if (IsValidPoint(point))
            points.push_back(point);
        else
            ++leftOut;
    }
    if (leftOut > 0)
        Trace("[ERROR] Horizon Mask file: %zu point(s) out of range left out.", leftOut);
    return ReadResult::Read;
}

ReadResult ReadFile(const std::filesystem::path& file, std::vector<CHorizonPoint>& points)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (!error && size > kMaxFileBytes)
        return ReadResult::TooLarge;
    std::string bytes;
    if (!textfile::ReadBytes(file, bytes, nullptr, kMaxFileBytes))
        return ReadResult::NotFound;
    return ReadText(bytes, points);
}

std::filesystem::path ShippedFile()
{
    return paths::FindShipped(kFileName).value_or(paths::InstallFolder() / kFileName);
}

std::string PointText(const CHorizonPoint& point)
{
    return "( " + FormatNumber(point.azimuth, -1) + "° ; " + FormatNumber(point.height, -1) + "° )";
}

}  // namespace horizonmask
