#include "song/PriorityMutex.h"

namespace tw {

PriorityMutex::PriorityMutex() {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutexattr_setprotocol(&attributes, PTHREAD_PRIO_INHERIT);
    pthread_mutex_init(&mutex_, &attributes);
    pthread_mutexattr_destroy(&attributes);
}

PriorityMutex::~PriorityMutex() {
    pthread_mutex_destroy(&mutex_);
}

void PriorityMutex::lock() {
    pthread_mutex_lock(&mutex_);
}

void PriorityMutex::unlock() {
    pthread_mutex_unlock(&mutex_);
}

bool PriorityMutex::try_lock() {
    return pthread_mutex_trylock(&mutex_) == 0;
}

}  // namespace tw
