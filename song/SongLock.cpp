#include "song/SongLock.h"

#include "song/Song.h"

namespace tw {

PriorityMutex& SongMutex() {
    static PriorityMutex mutex;
    return mutex;
}

bool SongPlaying() {
    const SongLock lock;
    return sd.playState != 0;
}

}  // namespace tw
