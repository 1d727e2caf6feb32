// The title screen: the title picture laid over the canvas in scattered tiles.
#include <windows.h>

#include "base/error_box.h"
#include "base/module_win.h"
#include "display/canvas_win.h"
#include "display/pacer.h"
#include "display/screens.h"
#include "display/show_effects.h"
#include "resources/resource.h"

bool showTitleScreen(Window window) {
    const HBITMAP picture = loadPicture(window, IDP_TITLE);
    if (picture == nullptr) return false;
    HDC pictureDc;
    {
        CanvasLock lock;
        pictureDc = CreateCompatibleDC(canvasDc);
    }
    if (pictureDc == nullptr) {
        showError(window, L"デバイスコンテキストを作成できません。");
        DeleteObject(picture);
        return false;
    }
    {
        const SelectedObject selected(pictureDc, picture);
        // The canvas is locked for each frame's tiles and their presenting, not
        // across the pauses, so a repaint of the window waits no longer than a frame.
        int tile = 0;
        Pacer pacer;
        for (int frame = 0; frame < kDissolveFrames; ++frame) {
            pacer.pause(kShowFramePauseMs);
            CanvasLock lock;
            for (int i = 0; i < kTilesPerFrame; ++i) {
                const CanvasPoint at = tileCorner(tile);
                BitBlt(canvasDc, at.x, at.y, kTileSize, kTileSize, pictureDc, at.x, at.y, SRCCOPY);
                tile = nextTile(tile);
            }
            presentCanvas(window, 0, 0);
        }
    }
    DeleteDC(pictureDc);
    DeleteObject(picture);
    return true;
}
