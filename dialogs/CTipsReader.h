#pragma once
// The tips of the day: "tips_<code>.txt" in the install folder, one tip a line, read in
// turn from where the previous run of the program stopped.
//
// A line is a tip unless it is empty or begins with a blank, a tab, a carriage return or
// ";". After the last tip comes the first again. The byte offset of the next tip is kept in
// the settings ("Tips"/"tips_<code>"), together with the file's modification time
// ("Tips"/"TimeStamp"): an edited file starts again at its first tip.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

class CTipsReader {
public:
    static constexpr std::size_t kMaxTipBytes = 998;  // a tip line is cut there (whole characters)

    // Opens the tips file of the language and reads the first tip to show. A missing file
    // gives string 112 as the tip; a bad saved position shows message 113 and starts again
    // at the beginning; a file without any tip gives string 114.
    explicit CTipsReader(int language);
    // Opens that file (tests); the settings key is still the language's.
    CTipsReader(int language, const std::filesystem::path& file);
    // Saves the position of the next tip when a file was open.
    ~CTipsReader();
    CTipsReader(const CTipsReader&) = delete;
    CTipsReader& operator=(const CTipsReader&) = delete;

    bool IsOpen() const { return open_; }
    const std::string& Tip() const { return tip_; }
    // The next tip, wrapping round at the end of the file.
    void NextTip();
    // The byte offset at which the next tip is looked for.
    std::size_t Position() const { return position_; }

    // "Wed Jun 30 21:49:08 1993": a time as the C library's ctime writes it, without its line end.
    static std::string CTimeText(std::int64_t unixSeconds);
    // The file name for a language: "tips_" + code + ".txt".
    static std::string FileName(int language);

private:
    void Open(const std::optional<std::filesystem::path>& file);

    std::string key_;
    bool open_ = false;
    bool utf8_ = true;
    std::string bytes_;
    std::size_t position_ = 0;
    std::string tip_;
};
