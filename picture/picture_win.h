// Picture resources as bitmaps: a PNG file made into a bitmap for a device context.
#ifndef VARLO_PICTURE_PICTURE_WIN_H
#define VARLO_PICTURE_PICTURE_WIN_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Decodes the PNG file of `size` bytes at `data` into a DIB section of the
// picture's own depth and colours, ready to be selected into a device context
// compatible with `dc` (the canvas's) and copied from. Null for anything the
// decoder cannot show or when GDI refuses the bitmap; shows no message. The
// caller deletes the bitmap with DeleteObject; nothing else stays allocated.
HBITMAP decodePicture(HDC dc, const uint8_t* data, size_t size);

#endif
