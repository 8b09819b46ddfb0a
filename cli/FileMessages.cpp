#include "cli/FileMessages.h"

#include "smf/FileErrors.h"

namespace tw::cli {

std::string LoadErrorLine(const char* path, int code) {
    return std::string(path) + ": Load error = " + std::to_string(code) + " (" +
           LoadErrorCause(path, code) + ")";
}

std::string SaveErrorLine(const char* path, int code) {
    return std::string(path) + ": Save error = " + std::to_string(code) + " (" +
           SaveErrorCause(path, code) + ")";
}

std::string LeftOutLine(const char* path, const LeftOut& left) {
    const std::string items = LeftOutItems(left);
    if (items.empty()) {
        return items;
    }
    return std::string(path) + ": left out, as the song cannot hold them: " + items;
}

}  // namespace tw::cli
