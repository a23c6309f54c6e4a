#include "AstroReference.h"

#include "support/TestSupport.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace astroref {

namespace {

std::vector<std::string> SplitCommas(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ','))
        fields.push_back(field);
    if (!line.empty() && line.back() == ',')
        fields.emplace_back();
    return fields;
}

}  // namespace

Table::Table(const std::string& fileName)
{
    const std::string bytes = testsupport::ReadFileBytes(testsupport::DataDir() / "astro" / fileName);
    std::istringstream in(bytes);
    std::string line;
    if (!std::getline(in, line))
        throw std::runtime_error("empty reference table " + fileName);
    const std::vector<std::string> header = SplitCommas(line);
    for (size_t i = 0; i < header.size(); ++i)
        columns_[header[i]] = i;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        std::vector<std::string> fields = SplitCommas(line);
        if (fields.size() != header.size())
            throw std::runtime_error("bad row in " + fileName + ": " + line);
        rows_.push_back(std::move(fields));
    }
}

const std::string& Table::Text(size_t row, const std::string& column) const
{
    const auto it = columns_.find(column);
    if (it == columns_.end())
        throw std::runtime_error("no column " + column);
    return rows_.at(row).at(it->second);
}

double Table::Number(size_t row, const std::string& column) const
{
    const std::string& text = Text(row, column);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        throw std::runtime_error("not a number in column " + column + ": " + text);
    return value;
}

int Table::Int(size_t row, const std::string& column) const
{
    const std::string& text = Text(row, column);
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        throw std::runtime_error("not an integer in column " + column + ": " + text);
    return value;
}

std::string Table::Label(size_t row) const
{
    std::string label;
    if (columns_.count("site"))
        label = Text(row, "site") + " ";
    label += Text(row, "year") + "-" + Text(row, "month") + "-" + Text(row, "day");
    if (columns_.count("hour"))
        label += " " + Text(row, "hour") + ":" + Text(row, "minute") + ":" + Text(row, "second") + " UT";
    return label;
}

double CircularDifference(double x, double y, double period)
{
    double d = std::fmod(x - y, period);
    if (d > period / 2)
        d -= period;
    else if (d <= -period / 2)
        d += period;
    return d;
}

}  // namespace astroref
