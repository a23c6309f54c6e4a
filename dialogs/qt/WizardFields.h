#pragma once
// Reading and writing the number fields of the wizard pages while the user types: a text
// that is not (yet) a number is left alone instead of being reported, and a field is only
// rewritten when its value changed, so the caret stays where the user is typing.
#include <string>

class ControlHost;

// False, and value unchanged, when the field does not hold a whole number.
bool ReadIntField(const ControlHost& host, int id, int& value);
// Writes the value unless the field already reads as that value.
void WriteIntField(ControlHost& host, int id, int value);
