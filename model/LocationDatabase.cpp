#include "model/LocationDatabase.h"

#include "app/Formatting.h"
#include "app/TextHelpers.h"
#include "app/Trace.h"
#include "app/Translation.h"
#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <optional>

namespace fs = std::filesystem;

namespace {

constexpr int kWrittenVersion = 6;

bool IsSeparator(char c) { return kLocationSeparators.find(c) != std::string_view::npos; }

bool IsDirective(std::string_view word)
{
    for (std::string_view keyword : {"$VERSION", "$NBRECORDS", "$NBENTREES", "$END", "$FIN"})
        if (word == keyword)
            return true;
    return false;
}

// Record fields by layout. Versions 1 and 2 ignore the first word of the line; from version 3
// on the first word is the name and the hemispheres are given by letters.
struct RecordFields {
    std::string name, region, country;
    std::string latDegrees, latMinutes, northSouth, lonDegrees, lonMinutes, eastWest, zone, flag;
};

RecordFields SplitRecord(std::string_view line, std::string_view firstWord, std::size_t pos, int layout)
{
    RecordFields f;
    auto next = [&] { return NextToken(line, pos); };
    if (layout == 1 || layout == 2) {
        f.name = next();
        f.country = next();
        f.latDegrees = next();
        f.latMinutes = next();
        f.lonDegrees = next();
        f.lonMinutes = next();
        if (layout == 2)
            f.zone = next();
        return f;
    }
    f.name = firstWord;
    if (layout == 6)
        f.region = next();
    f.country = next();
    f.latDegrees = next();
    f.latMinutes = next();
    f.northSouth = next();
    f.lonDegrees = next();
    f.lonMinutes = next();
    f.eastWest = next();
    f.zone = next();
    if (layout >= 5)
        f.flag = next();
    return f;
}

// Degrees and minutes texts to decimal degrees. The sign is taken from the degree text, so
// "-0" and "30" give -0.5 (the number -0 alone would lose it).
double AngleFromTexts(std::string_view degrees, std::string_view minutes)
{
    const double value = DegMinStringsToAngle(degrees, minutes);
    const auto first = degrees.find_first_not_of(' ');
    const bool negative = first != std::string_view::npos && degrees[first] == '-';
    return negative && value > 0.0 ? -value : value;
}

// The record of one line, or nothing when its name or country is empty or its values
// cannot be a place.
std::optional<CDataBaseElement> ParseRecord(std::string_view line, std::string_view firstWord,
                                            std::size_t pos, int version)
{
    // Versions outside 1 to 5 are read with the newest layout.
    const int layout = (version >= 1 && version <= 5) ? version : kWrittenVersion;
    RecordFields f = SplitRecord(line, firstWord, pos, layout);
    if (f.region == "?")
        f.region.clear();
    if (f.name.empty() || f.country.empty())
        return std::nullopt;

    CDataBaseElement record;
    record.name = std::move(f.name);
    record.region = std::move(f.region);
    record.country = std::move(f.country);
    for (std::string* text : {&record.name, &record.region, &record.country})
        ReplaceChar(*text, '$', ' ');
    record.latitude = AngleFromTexts(f.latDegrees, f.latMinutes);
    record.longitude = AngleFromTexts(f.lonDegrees, f.lonMinutes);
    if (layout >= 3) {
        if (f.northSouth == "S")
            record.latitude = -record.latitude;
        if (f.eastWest == "E")
            record.longitude = -record.longitude;
    }
    if (layout == 2)
        record.zone = StringToInt(f.zone);
    else if (layout != 1)
        record.zone = StringToDouble(f.zone);
    record.standard = (layout <= 4 || f.flag == "1") ? 1 : 0;
    if (!record.HasPlausibleValues())
        return std::nullopt;
    return record;
}

bool ReadDatabaseLines(CLocationList& list, const std::vector<std::string>& lines, const fs::path& path)
{
    int version = 1;
    int declared = 0;
    int read = 0;
    for (std::string line : lines) {
        if (line.empty())
            return false;
        ReplaceChar(line, '\t', ' ');
        MakeUpperAccents(line);
        const std::size_t blank = line.find(' ');
        const std::string_view firstWord = std::string_view(line).substr(0, blank);
        std::size_t pos = blank == std::string::npos ? line.size() : blank + 1;

        if (!IsDirective(firstWord)) {
            if (auto record = ParseRecord(line, firstWord, pos, version)) {
                list.push_back(std::make_unique<CDataBaseElement>(std::move(*record)));
                ++read;
            } else {
                Trace("[ERROR] Bad database entry: %s", line.c_str());
            }
        } else if (firstWord == "$VERSION") {
            version = StringToInt(NextToken(line, pos));
            if (version > kWrittenVersion) {
                Trace("[ERROR] Program not compatible with that database version number.");
                return false;
            }
        } else if (firstWord == "$NBENTREES" || firstWord == "$NBRECORDS") {
            declared = StringToInt(NextToken(line, pos));
        } else {  // "$END" or "$FIN"
            if (read != declared) {
                Trace("[ERROR] %d records read but %d records declared in database!", read, declared);
                return false;
            }
            Trace("%d records loaded from Database File %s.", read, path.c_str());
            return true;
        }
    }
    return false;  // no "$END"
}

// A text as one field of a record line: blanks (and control characters, which would break
// the line) become '$'; other separators, which would split the field on reading, become
// '-'; an empty text is written "?". The name, the first word of the line, is ended by a
// blank only and keeps the other separators.
std::string FieldText(const std::string& text, bool isName)
{
    if (text.empty())
        return "?";
    std::string field = text;
    for (char& c : field) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ' ' || u < 0x20 || u == 0x7F)
            c = '$';
        else if (!isName && IsSeparator(c))
            c = '-';
    }
    return field;
}

std::string RecordLine(const CDataBaseElement& r)
{
    std::string latDegrees, latMinutes, lonDegrees, lonMinutes;
    AngleToDegMinStrings(std::abs(r.latitude), latDegrees, latMinutes);
    AngleToDegMinStrings(std::abs(r.longitude), lonDegrees, lonMinutes);
    std::string line = FieldText(r.name, true);
    // A name with a leading blank could come out as "$END": it would end the file there.
    std::string upperName = line;
    MakeUpperAccents(upperName);
    if (IsDirective(upperName))
        line[0] = '-';
    for (const std::string* part : {&r.region, &r.country}) {
        line += ' ';
        line += FieldText(*part, false);
    }
    line += ' ' + latDegrees + ' ' + latMinutes;
    line += r.latitude >= 0.0 ? " N " : " S ";
    line += lonDegrees + ' ' + lonMinutes;
    line += r.longitude >= 0.0 ? " W " : " E ";
    line += FormatNumber(r.zone, -1);
    line += r.standard == 1 ? " 1" : " 0";
    return line;
}

bool SameTextNoCase(std::string a, std::string_view b)
{
    std::string upperB(b);
    MakeUpperAccents(a);
    MakeUpperAccents(upperB);
    return a == upperB;
}

// A file's text and the number of records it holds.
struct DatabaseText {
    std::string text;
    std::ptrdiff_t count = 0;
};

DatabaseText BuildDatabaseText(const CLocationList& list, int selector)
{
    const bool all = selector != 0 && selector != 1;
    auto selected = [&](const CDataBaseElement& r) { return all || r.standard == selector; };
    DatabaseText file;
    file.count = std::count_if(list.begin(), list.end(), [&](const auto& r) { return selected(*r); });
    file.text = "$VERSION " + std::to_string(kWrittenVersion) + "\n";
    file.text += "$NBRECORDS " + FormatNumber(static_cast<double>(file.count), -1) + "\n";
    for (const auto& record : list)
        if (selected(*record))
            file.text += RecordLine(*record) + "\n";
    file.text += "$END\n";
    return file;
}

bool WriteDatabaseText(const DatabaseText& file, const fs::path& path, fs::perms newFilePerms = fs::perms(0644))
{
    Trace("Saving %d records into Database File %s", static_cast<int>(file.count), path.c_str());
    std::string error;
    if (!textfile::WriteAtomic(path, file.text, &error, newFilePerms)) {
        Trace("[ERROR] Failing to open Database File %s!", path.c_str());
        Trace("[ERROR] %s", error.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string NextToken(std::string_view line, std::size_t& pos)
{
    if (pos >= line.size()) {
        pos = line.size();
        return {};
    }
    std::size_t end = pos;
    while (end < line.size() && !IsSeparator(line[end]))
        ++end;
    std::string token(line.substr(pos, end - pos));
    pos = end < line.size() ? end + 1 : end;
    return token;
}

void ReplaceChar(std::string& text, char from, char to) { std::replace(text.begin(), text.end(), from, to); }

bool HasForbiddenLocationChar(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (c != ' ' && IsSeparator(c)) || u < 0x20 || u == 0x7F;
    });
}

bool LoadDatabaseFile(CLocationList& list, const fs::path& path)
{
    std::string bytes;
    if (!textfile::ReadBytes(path, bytes)) {
        Trace("[ERROR] Failing to open Database File %s", path.c_str());
        return false;
    }
    Trace("Loading Database File : %s.", path.c_str());
    return ReadDatabaseText(list, bytes, path);
}

bool ReadDatabaseText(CLocationList& list, std::string_view bytes, const fs::path& path)
{
    try {
        return ReadDatabaseLines(list, textfile::SplitLines(enc::DecodeFileText(bytes)), path);
    } catch (const std::exception& e) {
        Trace("[ERROR] Reading Database File %s: %s", path.c_str(), e.what());
        return false;
    }
}

std::string DatabaseFileText(const CLocationList& list, int selector) { return BuildDatabaseText(list, selector).text; }

bool SaveDatabaseFile(const CLocationList& list, const fs::path& path, int selector)
{
    return WriteDatabaseText(BuildDatabaseText(list, selector), path);
}

fs::path DefaultStandardLocationsFile()
{
    return paths::FindShipped("LIEUX.DBL").value_or(paths::InstallFolder() / "LIEUX.DBL");
}

fs::path UserLocationsFile()
{
    const fs::path folder = paths::DataFolder();
    return paths::FindCaseInsensitive(folder, "LIEUX2.DBL").value_or(folder / "LIEUX2.DBL");
}

namespace {

// The user file holds the user's places only, whatever flag an older version (which had
// none) or a damaged line gives them: a place read as standard would not be written back.
void MakeUserRecords(CLocationList& list, std::size_t from)
{
    for (std::size_t i = from; i < list.size(); ++i)
        list[i]->standard = 0;
}

}  // namespace

bool LoadLocationDatabase(CLocationList& list, const fs::path& standardFile)
{
    const bool standardLoaded = LoadDatabaseFile(list, standardFile);
    const std::size_t standardCount = list.size();
    const bool userLoaded = LoadDatabaseFile(list, UserLocationsFile());
    MakeUserRecords(list, standardCount);
    return standardLoaded || userLoaded;
}

namespace {

bool NameTaken(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// The first of the names name(1), name(2)... that names nothing (not even a dangling link);
// nothing when the first count are all taken.
std::optional<fs::path> FreeName(const std::function<fs::path(int)>& name, int count)
{
    for (int n = 1; n <= count; ++n) {
        fs::path candidate = name(n);
        if (!NameTaken(candidate))
            return candidate;
    }
    return std::nullopt;
}

// "LIEUX2.DBL.bak", then "LIEUX2.DBL.bak2"...
fs::path NumberedSuffix(const fs::path& path, const std::string& suffix, int n)
{
    fs::path named = path;
    named += n == 1 ? suffix : suffix + std::to_string(n);
    return named;
}

// The permissions of a file, for the copies of it; owner-only when it cannot be told.
fs::perms PermissionsOf(const fs::path& file)
{
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (ec || !fs::exists(status))
        return fs::perms::owner_read | fs::perms::owner_write;
    return status.permissions() & fs::perms::all;
}

// The user file is rewritten from the places it holds. A file this program cannot read
// (damaged, or written by a newer version) is moved aside rather than overwritten; a file
// that the rewrite would change (an older version, a hand-edited or damaged one) is first
// copied beside it, as private as it, so that nothing it held is lost. old: its bytes, or
// null when they could not be read. False when the old file could not be kept, so that
// nothing is written over it.
bool KeepOldUserFile(const fs::path& path, const std::string* old)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        return true;
    if (!old)
        Trace("[ERROR] Failing to open Database File %s", path.c_str());
    CLocationList held;
    if (!old || !ReadDatabaseText(held, *old, path)) {
        if (const auto aside = FreeName([&](int n) { return NumberedSuffix(path, ".unreadable", n); }, 999)) {
            fs::rename(path, *aside, ec);
            if (!ec) {
                Trace("[ERROR] Unreadable Database File %s kept as %s", path.c_str(), aside->c_str());
                return true;
            }
        }
        Trace("[ERROR] Unreadable Database File %s left untouched", path.c_str());
        return false;
    }
    MakeUserRecords(held, 0);
    if (*old == DatabaseFileText(held, 0))
        return true;
    for (int n = 1; n <= 999; ++n) {
        const fs::path backup = NumberedSuffix(path, ".bak", n);
        if (NameTaken(backup)) {
            // One copy of each old content: a save that fails and is tried again adds none.
            if (std::string kept; textfile::ReadBytes(backup, kept) && kept == *old)
                return true;
            continue;
        }
        std::string error;
        if (!textfile::WriteAtomic(backup, *old, &error, PermissionsOf(path))) {
            Trace("[ERROR] Database File %s could not be kept before it is rewritten: %s", path.c_str(),
                  error.c_str());
            return false;
        }
        Trace("Database File %s kept as %s before it is rewritten", path.c_str(), backup.c_str());
        return true;
    }
    return false;
}

// Writes the user records' text into the user file (see SaveUserLocations).
bool SaveUserText(const DatabaseText& file, const fs::path& path)
{
    // Nothing to keep: a user who never added a place gets no file (and an uninstall leaves
    // nothing of the program's behind).
    if (!NameTaken(path))
        return file.count == 0 || WriteDatabaseText(file, path);
    std::string old;
    const bool read = textfile::ReadBytes(path, old);
    // Nothing to write: a write-protected file that already holds the places is no failure.
    if (read && old == file.text)
        return true;
    return KeepOldUserFile(path, read ? &old : nullptr) && WriteDatabaseText(file, path);
}

}  // namespace

bool SaveUserLocations(const CLocationList& list)
{
    return SaveUserText(BuildDatabaseText(list, 0), UserLocationsFile());
}

bool SaveUserLocationsOrCopy(const CLocationList& list, const DateTimeFields& now, std::optional<fs::path>& copy)
{
    copy.reset();
    const DatabaseText file = BuildDatabaseText(list, 0);
    const fs::path path = UserLocationsFile();
    // Without user records nothing is lost.
    if (SaveUserText(file, path) || file.count == 0)
        return true;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    const std::string prefix = "LIEUX2-" + std::string(stamp);
    const auto name = FreeName(
        [&](int n) { return path.parent_path() / (prefix + (n == 1 ? "" : "-" + std::to_string(n)) + ".DBL"); }, 99);
    if (name && WriteDatabaseText(file, *name, PermissionsOf(path))) {
        Trace("User locations kept in %s", name->c_str());
        copy = *name;
    }
    return false;
}

void DeleteAllLocations(CLocationList& list) { list.clear(); }

CDataBaseElement* FindLocationByName(const CLocationList& list, std::string_view name)
{
    for (const auto& record : list)
        if (SameTextNoCase(record->name, name))
            return record.get();
    return nullptr;
}

bool LocationNameExists(const CLocationList& list, std::string_view name)
{
    return FindLocationByName(list, name) != nullptr;
}

bool CountryExists(const CLocationList& list, std::string_view country)
{
    return std::any_of(list.begin(), list.end(),
                       [&](const auto& record) { return SameTextNoCase(record->country, country); });
}

std::unique_ptr<CDataBaseElement> RemoveLocation(CLocationList& list, const CDataBaseElement& record)
{
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto& r) { return *r == record; });
    if (it == list.end())
        return nullptr;
    std::unique_ptr<CDataBaseElement> removed = std::move(*it);
    list.erase(it);
    return removed;
}

std::string FormatLatitude(const CDataBaseElement* record)
{
    if (!record)
        return {};
    std::string degrees, minutes;
    AngleToDegMinStrings(std::abs(record->latitude), degrees, minutes);
    return degrees + "° " + minutes + "' " +
           (record->latitude < 0.0 ? GetTranslatedString(318) : GetTranslatedString(319));
}

std::string FormatLongitude(const CDataBaseElement* record)
{
    if (!record)
        return {};
    return FormatAngle(std::abs(record->longitude), true, false) + " " +
           (record->longitude < 0.0 ? GetTranslatedString(320) : GetTranslatedString(321));
}
