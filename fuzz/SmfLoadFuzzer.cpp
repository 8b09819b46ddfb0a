// Loads arbitrary bytes as a song file. Besides crashes and sanitizer
// findings it stops on a broken promise of LoadKeepsItsPromises.

#include <cstdint>
#include <cstdlib>

#include "fuzz/SmfLoadCheck.h"
#include "song/Song.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const bool ready = tw::Startup();
    if (!ready || !tw::LoadKeepsItsPromises({data, size})) {
        std::abort();
    }
    return 0;
}
