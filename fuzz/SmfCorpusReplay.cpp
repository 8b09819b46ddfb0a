// Replays every file of the fuzz seed corpus through the normal reader and
// writer, so that the seeds guard the ordinary and sanitizer builds too.
// Usage: smf_corpus_replay DIRECTORY. Exit status 0 when every file keeps
// the promises, 1 otherwise, naming each file that breaks one.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "fuzz/SmfLoadCheck.h"
#include "song/Song.h"

int main(int argc, char** argv) {
    if (argc != 2 || !tw::Startup()) {
        std::fprintf(stderr, "usage: smf_corpus_replay DIRECTORY\n");
        return 1;
    }
    std::error_code error;
    int files = 0;
    int broken = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1], error)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        ++files;
        if (!tw::LoadKeepsItsPromises(bytes)) {
            std::fprintf(stderr, "%s: broke a promise\n", entry.path().c_str());
            ++broken;
        }
    }
    std::printf("%d files replayed, %d broke a promise\n", files, broken);
    return error || files == 0 || broken != 0 ? 1 : 0;
}
