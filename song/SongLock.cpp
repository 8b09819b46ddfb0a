#include "song/SongLock.h"

namespace tw {

PriorityMutex& SongMutex() {
    static PriorityMutex mutex;
    return mutex;
}

}  // namespace tw
