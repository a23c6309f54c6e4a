#pragma once
// The list of known locations and the ".dbl" files it is read from and saved to.
//
// "LIEUX.DBL" holds the standard locations shipped beside the program; "LIEUX2.DBL", in the
// data folder, the locations the user added. Both are text files:
//   $VERSION 6
//   $NBRECORDS 2
//   BESANÇON 25 FRANCE 47 15 N 6 1 E 1 1
//   NEW$YORK ? UNITED$STATES 40 43 N 74 0 W -5 0
//   $END
// one record a line, fields separated by one character of " ,;:!/%*_#" (two in a row give
// an empty field), blanks inside texts written '$', an empty region written "?". Versions 1
// to 5 have older layouts (see LocationDatabase.cpp); version 6 is written. Files are read
// as UTF-8, or as Windows-1252 when they are not valid UTF-8, and written in UTF-8.
#include "model/CDataBaseElement.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The document's list of known locations; it owns its records, the dialogs only observe them.
// A class (not an alias) so that it can be declared ahead where only a pointer is needed.
class CLocationList : public std::vector<std::unique_ptr<CDataBaseElement>> {
public:
    using vector::vector;
    // The user records as the user file held them when this list last read or wrote it: a
    // save applies to the file only what the list changed since, so that what another running
    // copy of the program changed there is neither lost nor brought back.
    std::vector<CDataBaseElement> userFileRecords;
};

struct DateTimeFields;

// The characters that separate the fields of a record line.
inline constexpr std::string_view kLocationSeparators = " ,;:!/%*_#";

// Reads one ".dbl" file and appends its records to the list. A line that is neither a
// directive nor a plausible record is skipped (and traced), an empty one too, and reading goes
// on. False when the file cannot be read, has a version above 6, ends before "$END", holds a
// number of records other than the one declared, or holds an empty line; the records read
// stay in the list.
bool LoadDatabaseFile(CLocationList& list, const std::filesystem::path& path);

// The same from the bytes of a file (UTF-8, or Windows-1252 when not valid UTF-8); path is
// only named in the trace.
bool ReadDatabaseText(CLocationList& list, std::string_view bytes, const std::filesystem::path& path);

// The text of a version-6 file of the records whose standard flag equals selector (0 or 1;
// any other value: every record).
std::string DatabaseFileText(const CLocationList& list, int selector);
// Writes, atomically, the records whose standard flag equals selector (0 or 1; any other
// value: every record) as a version-6 file. A file with no record is still written, so that
// deleting the last user location reaches the disk. False when the file cannot be written;
// the old file is then untouched.
bool SaveDatabaseFile(const CLocationList& list, const std::filesystem::path& path, int selector);

// The shipped standard file (install folder, name matched without regard to case) and the
// user file of the data folder.
std::filesystem::path DefaultStandardLocationsFile();
std::filesystem::path UserLocationsFile();

// Lines of the user file that could not be read, and the copy of the file kept aside before
// the next save rewrites it without them (nothing when no copy could be written: the file is
// then not rewritten).
struct SkippedPlaces {
    std::filesystem::path file;
    std::optional<std::filesystem::path> copy;
    int lines = 0;
};

// Loads standardFile (the caller takes it from the profile value "Options\General" /
// "NomFichierLieux", default DefaultStandardLocationsFile()), then the user file, into the
// same list; every record of the user file is a user record (flag 0). True when either
// loaded whole. When lines of the user file were skipped, skipped (when given) says so.
bool LoadLocationDatabase(CLocationList& list, const std::filesystem::path& standardFile,
                          std::optional<SkippedPlaces>* skipped = nullptr);
// Applies the changes of the list's user-defined records (flag 0) since it last read or wrote
// the user file to what that file holds now: under a lock on "LIEUX2.DBL.lock", the file is
// read again, the records this list removed are removed, those it added are added, and the
// file is written back, so that two running copies of the program keep each other's places.
// An old file that cannot be read is first set aside ("LIEUX2.DBL.unreadable"); one that would
// not be written back byte for byte from the records it holds (an older version, a hand edit,
// a damaged line) is first copied beside it ("LIEUX2.DBL.bak"). False (error set to the
// reason) when the file could not be written, or the old one could not be kept (it is then
// left as it was).
bool SaveUserLocations(CLocationList& list, std::string* error = nullptr);
// Saves the user records as SaveUserLocations does, at the end of a session. When the user
// file cannot be written, the user records go to a copy in the data folder named by the date
// and time ("LIEUX2-20250301-143000.DBL"), with the user file's permissions (owner-only when
// it has none): false then, copy set to its path, or to nothing when it could not be written
// either. True when the user file holds the records, or there is no user record to lose.
bool SaveUserLocationsOrCopy(CLocationList& list, const DateTimeFields& now,
                             std::optional<std::filesystem::path>& copy, std::string* error = nullptr);

// Empties the list (and forgets what the user file held).
void DeleteAllLocations(CLocationList& list);
// Name and country comparisons ignore case, accented letters included, so that a name
// typed in lower case finds the upper-cased record.
CDataBaseElement* FindLocationByName(const CLocationList& list, std::string_view name);
bool LocationNameExists(const CLocationList& list, std::string_view name);
bool CountryExists(const CLocationList& list, std::string_view country);
// Unlinks the first record equal (==) to record and hands it back; null when none is.
std::unique_ptr<CDataBaseElement> RemoveLocation(CLocationList& list, const CDataBaseElement& record);

// "47° 15' Nord": degrees and minutes of |latitude| and the translated side (318 "Sud",
// 319 "Nord"); empty without a record.
std::string FormatLatitude(const CDataBaseElement* record);
// "6° 01' Est": |longitude| as degrees, minutes and seconds and the side (320 "Est" for
// east, i.e. negative, 321 "Ouest"); empty without a record.
std::string FormatLongitude(const CDataBaseElement* record);

// The field that starts at pos, up to the next separator; pos moves past that separator.
// At the end of the line the field is empty.
std::string NextToken(std::string_view line, std::size_t& pos);
// Replaces every occurrence of from by to, in place.
void ReplaceChar(std::string& text, char from, char to);
// True when the text holds a character that cannot be written inside a record field (a
// separator other than the blank, or a control character); the dialogs refuse such texts.
bool HasForbiddenLocationChar(std::string_view text);
