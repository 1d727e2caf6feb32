// Tiles of the title dissolve's first two frames, read from the title picture.
#include "bench_title.h"

#include "screen_images.h"

namespace bench {

TitleTiles::TitleTiles() : picture_(images::titlePicture()) {
    if (!valid()) return;
    firstFrameTile_ = mostColouredTile(0);
    secondFrameTile_ = mostColouredTile(1);
}

bool TitleTiles::tileShown(const driver::Capture& c, CanvasPoint at) const {
    if (c.width != picture_.width || c.height != picture_.height) return false;
    for (int y = at.y; y < at.y + kTileSize; ++y)
        for (int x = at.x; x < at.x + kTileSize; ++x)
            if (c.at(x, y) != picture_.at(x, y)) return false;
    return true;
}

CanvasPoint TitleTiles::mostColouredTile(int frame) const {
    int tile = 0;
    for (int i = 0; i < frame * kTilesPerFrame; ++i) tile = nextTile(tile);
    CanvasPoint best = tileCorner(tile);
    int bestBlack = kTileSize * kTileSize + 1;
    for (int i = 0; i < kTilesPerFrame; ++i, tile = nextTile(tile)) {
        const CanvasPoint at = tileCorner(tile);
        int black = 0;
        for (int y = at.y; y < at.y + kTileSize; ++y)
            for (int x = at.x; x < at.x + kTileSize; ++x) black += picture_.at(x, y) == 0 ? 1 : 0;
        if (black < bestBlack) {
            bestBlack = black;
            best = at;
        }
    }
    return best;
}

}  // namespace bench
