#include "app/CommandLineInfo.h"

#include "platform/AsciiText.h"

CommandLineInfo ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLineInfo info;
    for (const std::string& arg : args) {
        const std::string flag = arg.size() > 1 ? ascii::Lower(arg.substr(1)) : std::string();
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
