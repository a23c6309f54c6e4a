#include "app/BuildNumber.h"

#include "platform/Services.h"

#include <fcntl.h>
#include <limits>
#include <sys/stat.h>

int BuildNumberFromTime(std::int64_t unixSeconds)
{
    DateTimeFields origin;
    origin.year = 1997;
    origin.month = 1;
    origin.day = 1;
    const std::int64_t days = (unixSeconds - GetServices().FromLocal(origin)) / 86400;
    if (days > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (days < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(days);
}

std::optional<std::int64_t> FileCreationTime(const std::filesystem::path& file)
{
    struct statx info {};
    if (statx(AT_FDCWD, file.c_str(), 0, STATX_BTIME | STATX_MTIME, &info) != 0)
        return std::nullopt;
    if (info.stx_mask & STATX_BTIME)
        return static_cast<std::int64_t>(info.stx_btime.tv_sec);
    if (info.stx_mask & STATX_MTIME)
        return static_cast<std::int64_t>(info.stx_mtime.tv_sec);
    return std::nullopt;
}
