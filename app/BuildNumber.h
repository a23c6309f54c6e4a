#pragma once
// The build number: whole days from 1 January 1997 00:00 local time to the creation of the
// program file.
#include <cstdint>
#include <filesystem>
#include <optional>

// Days from 1997-01-01 00:00 local time to the instant (seconds since 1970 UTC), truncated
// toward zero.
int BuildNumberFromTime(std::int64_t unixSeconds);

// When the file was made: its birth time where the file system keeps one, else its last
// modification; nothing when the file cannot be examined.
std::optional<std::int64_t> FileCreationTime(const std::filesystem::path& file);
