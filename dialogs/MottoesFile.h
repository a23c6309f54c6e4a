#pragma once
// The sundial mottoes file "mottoes.txt": one motto a line with its language and an
// optional comment.
//
//   ; comment lines begin with ";" (the writer puts six header lines)
//   <LANG:la> Tempus fugit <COMMENT:Le temps fuit>
//   <LANG:fr> Sans le soleil je ne suis rien
//   <END>
//
// Empty lines and comments are skipped; "<END>" (or the end of the file) ends the list; a
// line without "<LANG:" holds no motto.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct CMottoRecord {
    std::string language;  // a short code such as "fr"; free text
    std::string text;
    std::string comment;   // may be empty
    friend bool operator==(const CMottoRecord&, const CMottoRecord&) = default;
};

namespace mottoes {

inline constexpr const char* kFileName = "mottoes.txt";
// Several thousand mottoes take some hundred kilobytes: a larger file is no mottoes file.
inline constexpr std::uintmax_t kMaxFileBytes = 4 * 1024 * 1024;

// The record of a motto line; false when the line holds no "<LANG:" or no ">" closing
// the language.
bool ParseMottoLine(std::string_view line, CMottoRecord& record);
// "<LANG:fr> text" and " <COMMENT:comment>" when there is one. Line breaks inside the
// fields become blanks, so that a record stays one line.
std::string FormatMottoLine(const CMottoRecord& record);

// The records of a file's contents, appended in file order.
void ReadText(std::string_view bytes, std::vector<CMottoRecord>& list);
// The whole file as SaveMottoes writes it: header, one line a record, "<END>".
std::string WriteText(const std::vector<CMottoRecord>& list);

// False when the file cannot be read (missing, unreadable or too large); the list is then
// unchanged.
bool LoadMottoes(const std::filesystem::path& file, std::vector<CMottoRecord>& list);
// Writes the file atomically; false when it cannot be written (the file is then as before).
bool SaveMottoes(const std::filesystem::path& file, const std::vector<CMottoRecord>& list,
                 std::string* error = nullptr);

// The file the program reads: the user's copy in the data folder once it has saved one,
// else the shipped file of the install folder (names in any case).
std::filesystem::path FileToRead();
// Where the program saves the list: the data folder (the install folder when writable).
std::filesystem::path FileToWrite();

// The languages of the records, each once, in order of first appearance.
std::vector<std::string> Languages(const std::vector<CMottoRecord>& list);
// The entry that names the language: the one equal to it, else the first that begins with
// it in any ASCII case (a remembered "FR" finds "fr"); -1 when none does or it is empty.
int FindLanguage(const std::vector<std::string>& entries, std::string_view language);

}  // namespace mottoes
