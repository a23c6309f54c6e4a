#pragma once
// Shapes the dial records while it is drawn for an export: points and polylines in
// millimetres of the dial (y up from the bottom edge).
#include <memory>
#include <string>
#include <vector>

class CDoublePoint {
public:
    double x = 1e-15;
    double y = 1e-15;
    int flagA = 0;
    int flagB = 0;

    CDoublePoint() = default;
    CDoublePoint(double px, double py) : x(px), y(py) {}
};

class CPolyline {
public:
    std::vector<CDoublePoint> points;
    int width = 10;  // diameter of a one-point shape, tenths of a millimetre
    int valueA = 0;
    int valueB = 0;
    std::string name;
    // Made by CCadran::AddPointShape: its single point is exported as a circle. A one-point
    // shape without it is the start of a run that never got a second point.
    bool isPoint = false;

    int GetCount() const { return static_cast<int>(points.size()); }
    void AddPoint(double x, double y) { points.emplace_back(x, y); }
};
