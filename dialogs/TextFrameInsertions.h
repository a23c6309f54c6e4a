#pragma once
// What the text-frame dialog appends to a frame's text from the document: the place's
// name and country, the dial's type name, or the geographic position.
#include <optional>
#include <string>

class CHoravelDoc;

enum class TextInsertion { PlaceName, DialType, Position };

// The text to append; nothing without a document, a dial or a current location.
//   PlaceName  "PARIS, FRANCE"
//   DialType   the dial's long type name
//   Position   "48° 50' Nord 2° 20' 14\" Est" (FormatLatitude, a blank, FormatLongitude)
std::optional<std::string> InsertionText(const CHoravelDoc* document, TextInsertion what);
