#pragma once
// The place a dial's indications block names: the document's current location, as texts.
// The document installs the source; without one the block names no place.
#include <functional>
#include <optional>
#include <string>

struct DialPlaceTexts {
    std::string name;
    std::string country;
    std::string latitude;   // as the locations list writes it: 47° 15' Nord
    std::string longitude;  // 6° 1' Est
};

using DialPlaceSource = std::function<std::optional<DialPlaceTexts>()>;

// Replaces the source (an empty function removes it).
void SetDialPlaceSource(DialPlaceSource source);
std::optional<DialPlaceTexts> GetDialPlaceTexts();
