#include "app/CommandLineInfo.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

CommandLineInfo ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLineInfo info;
    for (const std::string& arg : args) {
        const std::string flag = arg.size() > 1 ? Lower(arg.substr(1)) : std::string();
        const bool known = flag == "embedding" || flag == "automation";
        // "/name" is a switch only when it names one: otherwise it is an absolute path.
        if (arg.size() > 1 && (arg[0] == '-' || (arg[0] == '/' && known))) {
            if (known)
                info.showSplash = false;
        } else if (info.fileName.empty() && !arg.empty()) {
            info.fileName = arg;
        }
    }
    return info;
}
