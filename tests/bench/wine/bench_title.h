// The title dissolve's first frames, recognised on the screen: a tile of the
// first frame and one of the second, each chosen where the title picture has
// the most colour, so that neither looks like the black or hatched screens
// the dissolve is laid over.
#ifndef VARLO_TESTS_BENCH_WINE_BENCH_TITLE_H
#define VARLO_TESTS_BENCH_WINE_BENCH_TITLE_H

#include "driver.h"
#include "display/show_effects.h"

namespace bench {

class TitleTiles {
public:
    TitleTiles();
    bool valid() const { return picture_.width == kCanvasWidth && picture_.height == kCanvasHeight; }
    bool firstFrameSeen(const driver::Capture& c) const { return tileShown(c, firstFrameTile_); }
    bool secondFrameSeen(const driver::Capture& c) const { return tileShown(c, secondFrameTile_); }
    bool whole(const driver::Capture& c) const { return c.pixels == picture_.pixels; }

private:
    driver::Capture picture_;
    CanvasPoint firstFrameTile_{}, secondFrameTile_{};

    bool tileShown(const driver::Capture& c, CanvasPoint at) const;
    // Of the frame's tiles, the one with the fewest black pixels in the picture.
    CanvasPoint mostColouredTile(int frame) const;
};

}  // namespace bench

#endif
