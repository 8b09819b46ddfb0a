#include "song/SongLock.h"

namespace tw {

std::recursive_mutex& SongMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

}  // namespace tw
