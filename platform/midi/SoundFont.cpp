#include "platform/midi/SoundFont.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tw::midi {

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool HasSoundFontExtension(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".sf2" || extension == ".sf3";
}

std::vector<fs::path> SoundFontsBelow(const fs::path& root) {
    std::vector<fs::path> found;
    std::error_code error;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (HasSoundFontExtension(it->path()) && IsFile(it->path())) {
            found.push_back(it->path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

std::string FindSoundFont(const std::string& root) {
    const fs::path base(root);
    for (const fs::path& preferred :
         {base / "sf2" / "default-GM.sf2", base / "sf3" / "default-GM.sf3"}) {
        if (IsFile(preferred)) {
            return preferred.string();
        }
    }
    const std::vector<fs::path> any = SoundFontsBelow(base);
    return any.empty() ? std::string() : any.front().string();
}

}  // namespace tw::midi
