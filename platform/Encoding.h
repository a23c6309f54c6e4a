#pragma once
// Text encodings met in outside files: UTF-8 (our strings in memory), Windows-1252 (older
// files and archive strings), UTF-16LE (archive Unicode strings).
#include <optional>
#include <string>
#include <string_view>

namespace enc {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, <= U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8. The five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 controls of the same value, so every byte sequence converts.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252; empty optional when a character has no Windows-1252 form or the
// input is not valid UTF-8.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// Decodes text from a file: UTF-8 when valid (a leading byte-order mark is dropped),
// Windows-1252 otherwise.
std::string DecodeFileText(std::string_view bytes);

// UTF-8 <-> UTF-16 code units (little-endian order is the caller's business).
std::u16string Utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// Decodes one code point at pos (advanced past it); invalid bytes give U+FFFD and advance 1.
char32_t NextCodePoint(std::string_view utf8, size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);

// Appends a byte as "%" and two upper-case hex digits (URLs, the profile's escaped texts).
void AppendPercentEscaped(std::string& out, unsigned char byte);

}  // namespace enc
