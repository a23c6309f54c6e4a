#include "PageReference.h"

#include "support/TestSupport.h"

#include <charconv>
#include <sstream>
#include <stdexcept>

namespace pageref {

const std::string& Row::Text(const std::string& column) const
{
    const auto found = fields.find(column);
    if (found == fields.end())
        throw std::runtime_error("no column " + column);
    return found->second;
}

double Row::Number(const std::string& column) const
{
    const std::optional<double> v = NumberAt(Text(column), 0);
    if (!v)
        throw std::runtime_error("not a number in column " + column);
    return *v;
}

int Row::Int(const std::string& column) const
{
    return static_cast<int>(Number(column));
}

std::vector<Row> ReadTable(const std::string& fileName)
{
    std::istringstream in(testsupport::ReadFileBytes(testsupport::DataDir() / "astro" / fileName));
    std::vector<std::string> header;
    std::vector<Row> rows;
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = line.find(',', start);
            cells.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        if (header.empty()) {
            header = cells;
            continue;
        }
        Row row;
        for (std::size_t i = 0; i < header.size() && i < cells.size(); ++i)
            row.fields[header[i]] = cells[i];
        rows.push_back(std::move(row));
    }
    return rows;
}

SunDay SunAtNoon(int year, int month, int day)
{
    static const std::vector<Row> table = ReadTable("eot_days.csv");
    for (const Row& r : table)
        if (r.Int("year") == year && r.Int("month") == month && r.Int("day") == day)
            return {r.Number("eot_s"), r.Number("dec_deg")};
    throw std::runtime_error("no reference for that date");
}

std::optional<double> NumberAt(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos >= text.size())
        return std::nullopt;
    double v = 0.0;
    const auto result = std::from_chars(text.data() + pos, text.data() + text.size(), v);
    if (result.ec != std::errc())
        return std::nullopt;
    return v;
}

std::optional<double> BracketedNumber(std::string_view text)
{
    const std::size_t open = text.rfind(" ( ");
    if (open == std::string_view::npos)
        return std::nullopt;
    return NumberAt(text, open + 3);
}

std::optional<double> MinutesSecondsValue(std::string_view text)
{
    const std::size_t mn = text.find(" mn ");
    if (mn == std::string_view::npos)
        return std::nullopt;
    const auto minutes = NumberAt(text, 0);
    const auto seconds = NumberAt(text, mn + 4);
    if (!minutes || !seconds)
        return std::nullopt;
    const bool negative = !text.empty() && text[0] == '-';
    return negative ? *minutes * 60.0 - *seconds : *minutes * 60.0 + *seconds;
}

std::optional<double> HoursValue(std::string_view text)
{
    bool negative = false;
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos < text.size() && text[pos] == '-') {
        negative = true;
        ++pos;
    }
    double total = 0.0;
    bool any = false;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != ' ')
            ++end;
        const auto number = NumberAt(text.substr(pos, end - pos), 0);
        if (!number)
            break;
        std::size_t unitStart = end + 1;
        std::size_t unitEnd = unitStart;
        while (unitEnd < text.size() && text[unitEnd] != ' ')
            ++unitEnd;
        if (unitStart >= text.size())
            return std::nullopt;
        const std::string_view unit = text.substr(unitStart, unitEnd - unitStart);
        if (unit == "h")
            total += *number;
        else if (unit == "min")
            total += *number / 60.0;
        else if (unit == "s")
            total += *number / 3600.0;
        else
            break;
        any = true;
        pos = unitEnd;
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
    }
    if (!any)
        return std::nullopt;
    return negative ? -total : total;
}

}  // namespace pageref
