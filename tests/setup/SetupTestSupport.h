#pragma once
// Helpers of the installer's tests: archives built in memory, and a sandbox holding the
// installer's folder, a destination and a data home of its own.
#include "setup/InstallSteps.h"
#include "setup/SetupArchive.h"
#include "setup/SetupResources.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <string>
#include <vector>

namespace setuptest {

inline setup::SetupEntry Entry(std::string name, std::string data, std::int64_t mtime = 1600000000)
{
    setup::SetupEntry entry;
    entry.name = std::move(name);
    entry.data = std::move(data);
    entry.creationTime = mtime - 100;
    entry.modificationTime = mtime;
    entry.accessTime = mtime + 100;
    return entry;
}

// An archive of those entries; an entry without data is stored as a lone 0.
inline std::string ArchiveBytes(const std::vector<setup::SetupEntry>& entries)
{
    std::string bytes = setup::EncodeHeader(static_cast<std::uint32_t>(entries.size()));
    for (const auto& entry : entries)
        bytes += setup::EncodeEntry(entry);
    return bytes;
}

// The files a small installation holds.
inline std::vector<setup::SetupEntry> SmallInstallation()
{
    return {Entry("horavel", "\x7f" "ELF program bytes"),
            Entry("horavel-setup", "\x7f" "ELF setup bytes"),
            Entry("horavel.lang", "HORAVEL_RC_FILE\t1\n"),
            Entry("lisezmoi.html", "<html>lisez-moi</html>"),
            Entry("help\\fr\\contents.html", "<html>sommaire</html>"),
            Entry("help\\en\\contents.html", "<html>contents</html>"),
            Entry("help\\style.css", "body {}"),
            Entry("LIEUX.DBL", "$VERSION 6\n"),
            Entry("mottoes.txt", "fr\tHoras non numero nisi serenas\n")};
}

// The installer's folder (archive), the destination and the data home, in one temporary
// folder; resources in French.
class Sandbox {
public:
    Sandbox()
    {
        std::filesystem::create_directories(source());
        setup::Resources().UseFrench();
    }
    ~Sandbox() { setup::Resources().UseFrench(); }
    std::filesystem::path source() const { return dir_ / "package"; }
    std::filesystem::path archive() const { return source() / "setup.dat"; }
    std::filesystem::path dest() const { return dir_ / "opt" / "Horavel 2.0"; }
    std::filesystem::path dataHome() const { return dir_ / "share"; }
    setup::SetupLocations locations() const { return setup::SetupLocations::Under(dataHome()); }
    const testsupport::TempDir& dir() const { return dir_; }

    void WriteArchive(const std::vector<setup::SetupEntry>& entries) const
    {
        testsupport::WriteFileBytes(archive(), ArchiveBytes(entries));
    }

private:
    testsupport::TempDir dir_;
};

// Records what the steps report.
class RecordingProgress : public setup::SetupProgress {
public:
    std::vector<int> progress;
    std::vector<std::string> statuses;
    std::vector<std::string> markers;  // "step:marker"
    std::vector<std::string> percents;
    int pauses = 0;
    int pausedMs = 0;
    void SetProgress(int percent) override { progress.push_back(percent); }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetStepMarker(int step, const std::string& marker) override
    {
        markers.push_back(std::to_string(step) + ":" + marker);
    }
    void SetPercentText(const std::string& text) override { percents.push_back(text); }
    void Pause(int ms) override
    {
        ++pauses;
        pausedMs += ms;
    }
};

}  // namespace setuptest
