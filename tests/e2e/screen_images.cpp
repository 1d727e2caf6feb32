// Expected pictures drawn with GDI, as the program draws them.
#include "screen_images.h"

#include <algorithm>
#include <vector>

#include "picture/png_decoder.h"
#include "resources/resource.h"
#include "display/palette.h"

namespace images {

HFONT createGameFont(int height) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FF_MODERN | DEFAULT_PITCH, L"ＭＳ Ｐゴシック");
}

driver::Capture black(int width, int height) {
    driver::Capture image;
    image.width = width;
    image.height = height;
    image.pixels.assign(size_t(width) * height, 0);
    return image;
}

driver::Capture drawnOver(const driver::Capture& base, void (*draw)(HDC, const void*), const void* context) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = base.width;
    info.bmiHeader.biHeight = -base.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    driver::Capture out = base;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || bitmap == nullptr || bits == nullptr) {
        out.pixels.assign(out.pixels.size(), 0xFFFFFFFFu);  // matches no capture
    } else {
        uint32_t* pixels = static_cast<uint32_t*>(bits);
        std::copy(base.pixels.begin(), base.pixels.end(), pixels);
        const HGDIOBJ previous = SelectObject(dc, bitmap);
        SetBkMode(dc, TRANSPARENT);
        draw(dc, context);
        GdiFlush();
        SelectObject(dc, previous);
        for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = pixels[i] & 0x00FFFFFFu;
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (dc != nullptr) DeleteDC(dc);
    return out;
}

void drawText(HDC dc, int fontHeight, COLORREF colour, const std::wstring& text, RECT rect, UINT flags) {
    const HFONT font = fontHeight > 0 ? createGameFont(fontHeight) : nullptr;
    const HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), -1, &rect, flags);
    if (font != nullptr) {
        SelectObject(dc, previous);
        DeleteObject(font);
    }
}

driver::Capture titlePicture() {
    driver::Capture picture;
    const std::wstring exe = driver::varloExePath();
    const HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return picture;
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDP_TITLE), MAKEINTRESOURCEW(10));  // RT_RCDATA
    const HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    const auto* bytes = loaded != nullptr ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    DibPicture dib;
    // The title is an 8-bit palette picture.
    if (bytes != nullptr && decodePng(bytes, SizeofResource(module, resource), dib) && dib.bitCount == 8) {
        picture.width = int(dib.width);
        picture.height = int(dib.height);
        for (int y = 0; y < picture.height; ++y) {
            const uint8_t* row = &dib.bits[size_t(picture.height - 1 - y) * dib.stride];
            for (int x = 0; x < picture.width; ++x) {
                const uint8_t* quad = &dib.colourTable[size_t(row[x]) * 4];
                picture.pixels.push_back(driver::rgb(quad[2], quad[1], quad[0]));
            }
        }
    }
    FreeLibrary(module);
    return picture;
}

bool hatchedAt(const driver::Capture& screen, int x, int y) {
    const uint32_t pixel = screen.at(x, y);
    return pixel == driver::pixelOf(kHatchLineColour) || pixel == driver::pixelOf(kHatchGapColour);
}

int firstHatchedRow(const driver::Capture& screen) {
    for (int y = 0; y < screen.height; ++y) {
        if (hatchedAt(screen, 2, y) && hatchedAt(screen, 3, y)) return y;
    }
    return screen.height;
}

bool celebrating(const driver::Capture& screen) {
    int black = 0, all = 0;
    std::vector<uint32_t> colours;
    for (int y = 30; y < 220; y += 2) {
        for (int x = 30; x < 600; x += 2) {
            ++all;
            const uint32_t pixel = screen.at(x, y);
            if (pixel == 0) {
                ++black;
                continue;
            }
            for (int shift : {0, 8, 16}) {
                const uint32_t channel = pixel >> shift & 0xFF;
                if (channel < 55 || channel > 254) return false;
            }
            if (std::find(colours.begin(), colours.end(), pixel) == colours.end()) colours.push_back(pixel);
        }
    }
    return black * 10 >= all * 8 && colours.size() >= 20;
}

bool resultsTitled(const driver::Capture& screen) {
    for (int y = 30; y < 75; ++y)
        for (int x = 100; x < 530; ++x)
            if (screen.at(x, y) == driver::pixelOf(kResultsTitleColour)) return true;
    return false;
}

void place(driver::Capture& screen, int left, int top, const driver::Capture& part) {
    for (int y = 0; y < part.height; ++y)
        for (int x = 0; x < part.width; ++x) screen.pixels[size_t(top + y) * screen.width + left + x] = part.at(x, y);
}

int differences(const driver::Capture& screen, int left, int top, const driver::Capture& part, int firstRow) {
    if (screen.width < left + part.width || screen.height < top + part.height) return part.width * part.height;
    int count = 0;
    for (int y = firstRow; y < part.height; ++y)
        for (int x = 0; x < part.width; ++x) count += screen.at(left + x, top + y) != part.at(x, y) ? 1 : 0;
    return count;
}

}  // namespace images
