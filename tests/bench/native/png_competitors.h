// The PNG decoders the program's own is measured against, libpng and
// stb_image, each delivering its picture in decodePng's form.
#ifndef VARLO_TESTS_BENCH_NATIVE_PNG_COMPETITORS_H
#define VARLO_TESTS_BENCH_NATIVE_PNG_COMPETITORS_H

#include <cstddef>
#include <cstdint>

#include "picture/png_decoder.h"

// libpng's reading as the same DIB decodePng makes: palette indices and grey
// samples stay packed (2-bit rows widened to 4 bits), RGB becomes BGR and RGBA
// BGRA, bottom row first, rows padded to 4 bytes, the same colour table.
// libpng reads the rows straight into the DIB. False when libpng refuses the
// file or it is a form the program does not show.
bool decodeWithLibpng(const uint8_t* data, size_t size, DibPicture& out);

// stb_image always expands to 8-bit samples (palette pictures to RGB or RGBA),
// so its nearest form is a 24- or 32-bit bottom-up DIB, BGR(A), rows padded
// to 4 bytes, no colour table (8-bit grey keeps a grey table).
bool decodeWithStb(const uint8_t* data, size_t size, DibPicture& out);

#endif
