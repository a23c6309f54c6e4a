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

// What reading a file found.
struct DatabaseReading {
    // Read to "$END" with the declared number of records and no empty line: what the program
    // writes (a refused line that the count leaves out is allowed, as it always was).
    bool sound = false;
    // A file of a version we read, in which a directive or a record was recognised: one whose
    // records can be written back. Anything else is no locations file.
    bool readable = false;
    int skippedLines = 0;  // lines that are neither a directive nor a record
};

// Reads every line: a line that is no record is skipped (and traced), and the lines after it
// are read all the same, so that one damaged line loses only itself.
DatabaseReading ReadDatabaseLines(CLocationList& list, const std::vector<std::string>& lines, const fs::path& path)
{
    DatabaseReading reading;
    int version = 1;
    int declared = 0;
    int read = 0;
    bool emptyLine = false;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        std::string line = lines[index];
        if (line.empty()) {
            emptyLine = true;
            continue;
        }
        ReplaceChar(line, '\t', ' ');
        MakeUpperAccents(line);
        const std::size_t blank = line.find(' ');
        const std::string_view firstWord = std::string_view(line).substr(0, blank);
        std::size_t pos = blank == std::string::npos ? line.size() : blank + 1;

        if (!IsDirective(firstWord)) {
            if (auto record = ParseRecord(line, firstWord, pos, version)) {
                list.push_back(std::make_unique<CDataBaseElement>(std::move(*record)));
                ++read;
                reading.readable = true;
            } else {
                Trace("[ERROR] Bad database entry: %s", line.c_str());
                ++reading.skippedLines;
            }
            continue;
        }
        reading.readable = true;
        if (firstWord == "$VERSION") {
            version = StringToInt(NextToken(line, pos));
            if (version > kWrittenVersion) {
                Trace("[ERROR] Program not compatible with that database version number.");
                reading.readable = false;
                // Nothing after it is read: its places are lost to the list like those of a
                // damaged line, and the user is told the same way.
                reading.skippedLines += static_cast<int>(std::count_if(
                    lines.begin() + static_cast<std::ptrdiff_t>(index) + 1, lines.end(),
                    [](const std::string& rest) { return !rest.empty(); }));
                return reading;
            }
        } else if (firstWord == "$NBENTREES" || firstWord == "$NBRECORDS") {
            declared = StringToInt(NextToken(line, pos));
        } else {  // "$END" or "$FIN"
            if (read != declared) {
                Trace("[ERROR] %d records read but %d records declared in database!", read, declared);
                return reading;
            }
            Trace("%d records loaded from Database File %s.", read, path.c_str());
            reading.sound = !emptyLine;
            return reading;
        }
    }
    return reading;  // no "$END"
}

DatabaseReading ReadText(CLocationList& list, std::string_view bytes, const fs::path& path)
{
    try {
        return ReadDatabaseLines(list, textfile::SplitLines(enc::DecodeFileText(bytes)), path);
    } catch (const std::exception& e) {
        Trace("[ERROR] Reading Database File %s: %s", path.c_str(), e.what());
        return {};
    }
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

// A file's text and the number of records it holds.
struct DatabaseText {
    std::string text;
    std::ptrdiff_t count = 0;
};

DatabaseText TextOfRecords(const std::vector<const CDataBaseElement*>& records)
{
    DatabaseText file;
    file.count = static_cast<std::ptrdiff_t>(records.size());
    file.text = "$VERSION " + std::to_string(kWrittenVersion) + "\n";
    file.text += "$NBRECORDS " + FormatNumber(static_cast<double>(file.count), -1) + "\n";
    for (const CDataBaseElement* record : records)
        file.text += RecordLine(*record) + "\n";
    file.text += "$END\n";
    return file;
}

DatabaseText BuildDatabaseText(const CLocationList& list, int selector)
{
    const bool all = selector != 0 && selector != 1;
    std::vector<const CDataBaseElement*> selected;
    for (const auto& record : list)
        if (all || record->standard == selector)
            selected.push_back(record.get());
    return TextOfRecords(selected);
}

bool WriteDatabaseText(const DatabaseText& file, const fs::path& path, fs::perms newFilePerms = fs::perms(0644),
                       std::string* error = nullptr)
{
    Trace("Saving %d records into Database File %s", static_cast<int>(file.count), path.c_str());
    std::string why;
    if (!textfile::WriteAtomic(path, file.text, &why, newFilePerms)) {
        Trace("[ERROR] Failing to open Database File %s!", path.c_str());
        Trace("[ERROR] %s", why.c_str());
        if (error)
            *error = why;
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

namespace {

// Reads a file into the list; bytes: what it held.
DatabaseReading LoadFile(CLocationList& list, const fs::path& path, std::string& bytes)
{
    if (!textfile::ReadBytes(path, bytes)) {
        Trace("[ERROR] Failing to open Database File %s", path.c_str());
        return {};
    }
    Trace("Loading Database File : %s.", path.c_str());
    return ReadText(list, bytes, path);
}

}  // namespace

bool LoadDatabaseFile(CLocationList& list, const fs::path& path)
{
    std::string bytes;
    return LoadFile(list, path, bytes).sound;
}

bool ReadDatabaseText(CLocationList& list, std::string_view bytes, const fs::path& path)
{
    return ReadText(list, bytes, path).sound;
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

// A copy of the user file's old contents beside it, as private as it ("LIEUX2.DBL.bak", then
// ".bak2"...), or the copy already holding them: one copy of each old content, so that a save
// tried again adds none. Nothing (error set) when it could not be written.
std::optional<fs::path> KeepCopy(const fs::path& path, const std::string& old, std::string* error)
{
    for (int n = 1; n <= 999; ++n) {
        const fs::path backup = NumberedSuffix(path, ".bak", n);
        if (NameTaken(backup)) {
            if (std::string kept; textfile::ReadBytes(backup, kept) && kept == old)
                return backup;
            continue;
        }
        std::string why;
        if (!textfile::WriteAtomic(backup, old, &why, PermissionsOf(path))) {
            Trace("[ERROR] Database File %s could not be kept before it is rewritten: %s", path.c_str(), why.c_str());
            if (error)
                *error = why;
            return std::nullopt;
        }
        Trace("Database File %s kept as %s before it is rewritten", path.c_str(), backup.c_str());
        return backup;
    }
    if (error)
        *error = "too many copies of " + path.string();
    return std::nullopt;
}

// A file this program cannot read (damaged, or written by a newer version) is moved aside
// rather than overwritten. False (error set) when it could not be.
bool SetAside(const fs::path& path, std::string* error)
{
    std::error_code ec;
    if (const auto aside = FreeName([&](int n) { return NumberedSuffix(path, ".unreadable", n); }, 999)) {
        fs::rename(path, *aside, ec);
        if (!ec) {
            Trace("[ERROR] Unreadable Database File %s kept as %s", path.c_str(), aside->c_str());
            return true;
        }
    }
    Trace("[ERROR] Unreadable Database File %s left untouched", path.c_str());
    if (error)
        *error = ec ? ec.message() : "no free name beside " + path.string();
    return false;
}

// The user file holds the user's places only, whatever flag an older version (which had
// none) or a damaged line gives them: a place read as standard would not be written back.
void MakeUserRecords(CLocationList& list, std::size_t from)
{
    for (std::size_t i = from; i < list.size(); ++i)
        list[i]->standard = 0;
}

std::vector<CDataBaseElement> UserRecords(const CLocationList& list)
{
    std::vector<CDataBaseElement> records;
    for (const auto& record : list)
        if (record->standard == 0)
            records.push_back(*record);
    return records;
}

// The records of the user file with this session's changes applied: what the list held when
// it last read or wrote the file (synced) and holds no longer is removed, what it holds that
// was not there is added (once). A changed record is the old one removed and the new added.
// What another running copy added, changed or deleted in the file meanwhile stays as it is.
std::vector<CDataBaseElement> ApplyChanges(std::vector<CDataBaseElement> file, const std::vector<CDataBaseElement>& synced,
                                           const std::vector<CDataBaseElement>& current)
{
    std::vector<CDataBaseElement> added = current;
    std::vector<CDataBaseElement> removed;
    for (const CDataBaseElement& was : synced) {
        if (const auto kept = std::find(added.begin(), added.end(), was); kept != added.end())
            added.erase(kept);
        else
            removed.push_back(was);
    }
    for (const CDataBaseElement& gone : removed)
        if (const auto it = std::find(file.begin(), file.end(), gone); it != file.end())
            file.erase(it);
    for (CDataBaseElement& record : added)
        if (std::find(file.begin(), file.end(), record) == file.end())
            file.push_back(std::move(record));
    return file;
}

DatabaseText TextOfRecords(const std::vector<CDataBaseElement>& records)
{
    std::vector<const CDataBaseElement*> pointers;
    for (const CDataBaseElement& record : records)
        pointers.push_back(&record);
    return TextOfRecords(pointers);
}

// Applies the list's changes to the user file as it is now (see SaveUserLocations).
bool SyncUserFile(CLocationList& list, const fs::path& path, std::string* error)
{
    const std::vector<CDataBaseElement> current = UserRecords(list);
    // Nothing to keep: a user who never added a place gets no file (and an uninstall leaves
    // nothing of the program's behind).
    if (current.empty() && list.userFileRecords.empty() && !NameTaken(path))
        return true;
    // One name for every copy, whatever the case of the user file's own name.
    const textfile::FileLock lock(path.parent_path() / paths::kUserLocationsLockFile);

    std::vector<CDataBaseElement> held;
    std::string old;
    bool holdsRecords = NameTaken(path);
    if (holdsRecords) {
        CLocationList read;
        const DatabaseReading reading = LoadFile(read, path, old);
        if (!reading.readable) {
            if (!SetAside(path, error))
                return false;
            holdsRecords = false;
        } else {
            MakeUserRecords(read, 0);
            held = UserRecords(read);
            // A file that the rewrite would change (an older version, a hand-edited or damaged
            // one) is first copied beside it, so that nothing it held is lost.
            if (old != TextOfRecords(held).text && !KeepCopy(path, old, error))
                return false;
        }
    }
    // A file gone or set aside holds none of the places the list knew there: all are written.
    const DatabaseText file =
        TextOfRecords(ApplyChanges(std::move(held), holdsRecords ? list.userFileRecords : std::vector<CDataBaseElement>{}, current));
    // Nothing to write: a write-protected file that already holds the places is no failure.
    const bool unchanged = holdsRecords ? old == file.text : file.count == 0;
    if (!unchanged && !WriteDatabaseText(file, path, fs::perms(0644), error))
        return false;
    list.userFileRecords = current;
    return true;
}

}  // namespace

bool LoadLocationDatabase(CLocationList& list, const fs::path& standardFile, std::optional<SkippedPlaces>* skipped)
{
    const bool standardLoaded = LoadDatabaseFile(list, standardFile);
    const std::size_t standardCount = list.size();
    const fs::path userFile = UserLocationsFile();
    std::string bytes;
    const DatabaseReading reading = LoadFile(list, userFile, bytes);
    MakeUserRecords(list, standardCount);
    list.userFileRecords.clear();
    for (std::size_t i = standardCount; i < list.size(); ++i)
        list.userFileRecords.push_back(*list[i]);
    if (reading.skippedLines > 0 && skipped) {
        // The file is rewritten without the lines skipped at the next save: the user is
        // told, and where its old contents are kept.
        *skipped = SkippedPlaces{userFile, KeepCopy(userFile, bytes, nullptr), reading.skippedLines};
    }
    return standardLoaded || reading.sound;
}

bool SaveUserLocations(CLocationList& list, std::string* error)
{
    return SyncUserFile(list, UserLocationsFile(), error);
}

bool SaveUserLocationsOrCopy(CLocationList& list, const DateTimeFields& now, std::optional<fs::path>& copy,
                             std::string* error)
{
    copy.reset();
    const fs::path path = UserLocationsFile();
    if (SyncUserFile(list, path, error))
        return true;
    const DatabaseText file = BuildDatabaseText(list, 0);
    // Without user records nothing is lost.
    if (file.count == 0)
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

void DeleteAllLocations(CLocationList& list)
{
    list.clear();
    list.userFileRecords.clear();
}

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
