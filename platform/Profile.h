#pragma once
// The user's settings: named int and string values grouped in sections, with the lookup
// rules of a registry key.
//
// Sections are paths with backslashes ("Options\Window", "Options\Toolbars\Main\"): leading,
// trailing and doubled backslashes do not count, so "Options\Toolbars\Main\" and
// "Options\Toolbars\Main" are one section. Value names are taken whole; a backslash in a
// value name is an ordinary character ("Couleur3\r" is one name). Section and value names
// compare without regard to ASCII case; the spelling used first is the one kept.
//
// Two stores: MemoryProfile (tests, and the default until the application installs its own)
// and IniFileProfile (a UTF-8 text file written atomically on Flush).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Profile {
public:
    virtual ~Profile() = default;

    // A value that is absent (or, for GetInt, not a whole decimal number that fits an int)
    // gives the default.
    virtual int GetInt(std::string_view section, std::string_view name, int defaultValue) const = 0;
    virtual std::string GetString(std::string_view section, std::string_view name,
                                  std::string_view defaultValue) const = 0;
    // False when the section or the name is empty (nothing is stored then).
    virtual bool WriteInt(std::string_view section, std::string_view name, int value) = 0;
    virtual bool WriteString(std::string_view section, std::string_view name, std::string_view value) = 0;
    virtual bool HasValue(std::string_view section, std::string_view name) const = 0;
    // True when something was removed.
    virtual bool DeleteValue(std::string_view section, std::string_view name) = 0;
    // Removes the section and every section below it, as deleting a registry key does.
    virtual bool DeleteSection(std::string_view section) = 0;

    // Makes the writes durable / drops unsaved writes and reads the store again.
    virtual bool Flush() = 0;
    virtual bool Reload() = 0;
};

// The settings held in memory: sections and values in the order they were first written.
class ProfileData {
public:
    struct Value {
        std::string name;
        std::string text;
    };
    struct Section {
        std::string name;  // normalised path, first spelling
        std::vector<Value> values;
    };

    // "\a\\b\" -> "a\b"; empty when nothing is left.
    static std::string NormaliseSection(std::string_view section);

    const Value* Find(std::string_view section, std::string_view name) const;
    // False for an empty section or name.
    bool Set(std::string_view section, std::string_view name, std::string_view text);
    bool Erase(std::string_view section, std::string_view name);
    bool EraseSection(std::string_view section);
    void Clear() { sections_.clear(); }
    const std::vector<Section>& Sections() const { return sections_; }
    friend bool operator==(const ProfileData& a, const ProfileData& b);

private:
    Section* FindSection(std::string_view normalised);
    const Section* FindSection(std::string_view normalised) const;
    std::vector<Section> sections_;
};

// Reads an int the way GetInt does: optional blanks around an optional sign and decimal
// digits; false for anything else or a value outside the type.
bool ParseProfileInt(std::string_view text, int& value);
bool ParseProfileInt(std::string_view text, std::int64_t& value);

// Shared implementation of the lookups over a ProfileData.
class ProfileOnData : public Profile {
public:
    int GetInt(std::string_view section, std::string_view name, int defaultValue) const override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view defaultValue) const override;
    bool WriteInt(std::string_view section, std::string_view name, int value) override;
    bool WriteString(std::string_view section, std::string_view name, std::string_view value) override;
    bool HasValue(std::string_view section, std::string_view name) const override;
    bool DeleteValue(std::string_view section, std::string_view name) override;
    bool DeleteSection(std::string_view section) override;

    const ProfileData& Data() const { return data_; }

protected:
    ProfileData data_;
    bool dirty_ = false;
};

class MemoryProfile final : public ProfileOnData {
public:
    bool Flush() override { return true; }
    // Nothing to read again: the values stay.
    bool Reload() override { return true; }
};

// The text form of the settings file:
//   [Options\Window]
//   IsZoomed=1
//   Couleur3\r=255
// Bytes that would break the layout are written as %XX: "%", control characters, bytes of
// invalid UTF-8, "=" in names, "[" "]" in section names, a leading ";" "#" "[" of a value
// name, and blanks at either end of a name or a value. Lines starting with ";" or "#" are
// comments. A line that makes no sense (no "=", no section yet, empty name, unclosed "[")
// is skipped alone; the rest of the file still loads.
namespace inifile {
ProfileData Parse(std::string_view text, std::size_t* skippedLines = nullptr);
std::string Serialise(const ProfileData& data);
}  // namespace inifile

class IniFileProfile final : public ProfileOnData {
public:
    // Loads the file when it exists (a missing file is an empty profile).
    explicit IniFileProfile(std::filesystem::path file);
    // Flushes unsaved writes.
    ~IniFileProfile() override;
    IniFileProfile(const IniFileProfile&) = delete;
    IniFileProfile& operator=(const IniFileProfile&) = delete;

    // Writes the file (and its folder) when something changed since the last load or flush;
    // on failure the file is left as it was, the error kept and the changes stay pending.
    bool Flush() override;
    // False (values unchanged) when the file exists but cannot be read.
    bool Reload() override;

    const std::filesystem::path& File() const { return file_; }
    const std::string& LastError() const { return error_; }
    // Lines skipped as malformed by the last load.
    std::size_t SkippedLines() const { return skipped_; }

private:
    std::filesystem::path file_;
    std::string error_;
    std::size_t skipped_ = 0;
};

// $XDG_CONFIG_HOME/Orlune Software/Horavel 2.0.ini ($HOME/.config when XDG_CONFIG_HOME is
// unset or relative).
std::filesystem::path DefaultProfilePath();

// The process-wide profile. Until one is set, a MemoryProfile. Setting null goes back to a
// fresh MemoryProfile. Returns the profile in place before (null when none had been made yet).
Profile& GetProfile();
std::unique_ptr<Profile> SetProfile(std::unique_ptr<Profile> profile);
