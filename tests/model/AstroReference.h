#pragma once
// Reads the committed sun reference tables of tests/data/astro (comma-separated, one header
// line, numbers in the C locale whatever the process locale).
#include <map>
#include <string>
#include <vector>

namespace astroref {

class Table {
public:
    explicit Table(const std::string& fileName);
    size_t size() const { return rows_.size(); }
    const std::string& Text(size_t row, const std::string& column) const;
    double Number(size_t row, const std::string& column) const;
    int Int(size_t row, const std::string& column) const;
    bool Empty(size_t row, const std::string& column) const { return Text(row, column).empty(); }
    // "site 2024-01-06" style label of a row, for failure messages.
    std::string Label(size_t row) const;

private:
    std::map<std::string, size_t> columns_;
    std::vector<std::vector<std::string>> rows_;
};

// x - y brought into (-period/2, period/2].
double CircularDifference(double x, double y, double period);

}  // namespace astroref
