#pragma once
// One point of the horizon mask: the height of the landscape in one direction.
struct CHorizonPoint {
    int azimuth = 0;  // whole degrees, -180 to 180, from the equator side, positive west
    int height = 0;   // whole degrees above the horizon, 0 to 90
    friend bool operator==(const CHorizonPoint&, const CHorizonPoint&) = default;
};
