// MakeIcons ICON OUTDIR SIZE...: writes the program's icon (resource 1001)
// as OUTDIR/SIZExSIZE/apps/tunewell.png for each size, the layout of the
// desktop's hicolor icon theme.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ui/Image.h"

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("Usage: MakeIcons ICON OUTDIR SIZE...\n", stderr);
        return 64;
    }
    int status = 0;
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const std::string s = std::to_string(size);
        const std::filesystem::path dir = std::filesystem::path(argv[2]) / (s + "x" + s) / "apps";
        std::filesystem::create_directories(dir);
        const std::string out = (dir / "tunewell.png").string();
        if (!tw::ui::Image::ScalePng(argv[1], out, size)) {
            std::fprintf(stderr, "MakeIcons: %s could not be written\n", out.c_str());
            status = 1;
        }
    }
    return status;
}
