// Pauses that keep their schedule. A run of pauses (the frames of a show, the
// characters of the typewriter, the slices of a wait) is planned from the
// moment its pacer is made: each pause ends when the lengths of all pauses so
// far have passed since then. The work done between two pauses, such as
// drawing a frame, is taken out of the next pause instead of added to it. A
// pause is never longer than its length; one whose end has already passed is
// not made at all, so a late frame is drawn at once and none is left out.
// When the work takes no time, the pauses are exactly their lengths.
#ifndef VARLO_DISPLAY_PACER_H
#define VARLO_DISPLAY_PACER_H

#include <cstdint>

class Pacer {
public:
    Pacer();  // the schedule starts now
    // Sleeps until `ms` after the end the previous pause was due (for the
    // first, after the start), at most `ms`.
    void pause(int ms);

private:
    int64_t due_;
};

#endif
