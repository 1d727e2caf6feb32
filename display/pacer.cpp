// Pauses paced by deadline on the monotonic clock.
#include "display/pacer.h"

#include "base/platform.h"
#include "base/sleep.h"

Pacer::Pacer() : due_(monotonicMs()) {}

void Pacer::pause(int ms) {
    due_ += ms;
    const int64_t left = due_ - monotonicMs();
    if (left <= 0) return;
    sleepMs(left < ms ? static_cast<int>(left) : ms);
}
