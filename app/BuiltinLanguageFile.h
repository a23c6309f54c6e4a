#pragma once
// The shipped language file, built into the program so that its French column serves as
// the program's own string table.
#include <cstddef>

extern const unsigned char kBuiltinLanguageFile[];
extern const std::size_t kBuiltinLanguageFileSize;
