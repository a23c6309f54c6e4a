// Builds the installer's archive: horavel-setup-build <source folder> <list file> <archive>.
#include "setup/SetupArchive.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <source folder> <list file> <archive>\n", argv[0]);
        return 2;
    }
    std::vector<std::string> list;
    if (!setup::ReadFileList(argv[2], list)) {
        std::fprintf(stderr, "cannot read the list file %s\n", argv[2]);
        return 1;
    }
    std::vector<std::string> skipped;
    if (!setup::BuildSetupData(argv[1], list, argv[3], &skipped)) {
        std::fprintf(stderr, "cannot write the archive %s\n", argv[3]);
        return 1;
    }
    for (const std::string& name : skipped)
        std::fprintf(stderr, "not stored (missing or empty): %s\n", name.c_str());
    std::printf("%s: %zu entries\n", argv[3], list.size());
    // A package without some of its files would install a broken program.
    return skipped.empty() ? 0 : 1;
}
