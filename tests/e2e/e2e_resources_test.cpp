// The menu, accelerator, About box and version resources, read from VARLO.EXE
// itself (another process's menu cannot be read through its window under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"

namespace {

class Resources : public ::testing::Test {
protected:
    HMODULE module = nullptr;
    void SetUp() override {
        const std::wstring exe = driver::varloExePath();
        module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << "cannot load VARLO.EXE as data";
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }
};

struct Item {
    std::wstring text;
    UINT id;
    bool popup;
    bool separator;
};

std::vector<Item> itemsOf(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        items.push_back({text, info.wID, info.hSubMenu != nullptr, (info.fType & MFT_SEPARATOR) != 0});
    }
    return items;
}

TEST_F(Resources, MenuHasTheGameAndHelpPopupsWithTheirCommands) {
    const HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(560));
    ASSERT_NE(menu, nullptr);
    const auto top = itemsOf(menu);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].text, L"ゲーム(&G)");
    EXPECT_EQ(top[1].text, L"ヘルプ(&H)");
    EXPECT_TRUE(top[0].popup && top[1].popup);

    const HMENU game = GetSubMenu(menu, 0);
    const auto gameItems = itemsOf(game);
    ASSERT_EQ(gameItems.size(), 4u);
    EXPECT_EQ(gameItems[0].text, L"開始(&S)\tF2");
    EXPECT_EQ(gameItems[0].id, 101u);
    EXPECT_EQ(gameItems[1].text, L"ダイジェストプレイ(&D)");
    EXPECT_TRUE(gameItems[1].popup);
    EXPECT_EQ(gameItems[2].text, L"統計(&T)...");
    EXPECT_EQ(gameItems[2].id, 118u);
    EXPECT_EQ(gameItems[3].text, L"終了(&X)");
    EXPECT_EQ(gameItems[3].id, 113u);

    const auto stages = itemsOf(GetSubMenu(game, 1));
    ASSERT_EQ(stages.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(stages[i].text, L"ステージ&" + std::to_wstring(i + 1));
        EXPECT_EQ(stages[i].id, UINT(102 + i));
    }

    const auto help = itemsOf(GetSubMenu(menu, 1));
    ASSERT_EQ(help.size(), 3u);
    EXPECT_EQ(help[0].text, L"目次(&C)...\tF1");
    EXPECT_EQ(help[0].id, 115u);
    EXPECT_TRUE(help[1].separator);
    EXPECT_EQ(help[2].text, L"バージョン情報(&A)...");
    EXPECT_EQ(help[2].id, 117u);
    DestroyMenu(menu);
}

TEST_F(Resources, OnlyF2IsAnAcceleratorAndItStartsTheGame) {
    const HACCEL table = LoadAcceleratorsW(module, MAKEINTRESOURCEW(580));
    ASSERT_NE(table, nullptr);
    ACCEL entries[4]{};
    ASSERT_EQ(CopyAcceleratorTableW(table, entries, 4), 1);
    EXPECT_EQ(entries[0].key, VK_F2);
    EXPECT_EQ(entries[0].cmd, 101);
    EXPECT_EQ(entries[0].fVirt & ~FNOINVERT, FVIRTKEY);
    EXPECT_TRUE(entries[0].fVirt & FNOINVERT);  // no menu highlighting
    DestroyAcceleratorTable(table);
}

// Reads a 16-bit string-or-ordinal field of a dialog template and moves past it.
std::wstring readField(const WORD*& p) {
    if (*p == 0xFFFF) {
        const WORD ordinal = p[1];
        p += 2;
        return L"#" + std::to_wstring(ordinal);
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(p));
    p += text.size() + 1;
    return text;
}

TEST_F(Resources, AboutBoxTemplateHasItsControlsInOrder) {
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(604), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const auto* dialog = reinterpret_cast<const DLGTEMPLATE*>(base);
    ASSERT_NE(HIWORD(reinterpret_cast<const DWORD*>(base)[0]), 0xFFFF) << "expected a plain DIALOG template";
    EXPECT_EQ(dialog->style & ~(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), 0u);
    EXPECT_EQ(dialog->style, DWORD(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(dialog->x, 10);
    EXPECT_EQ(dialog->y, 10);
    EXPECT_EQ(dialog->cx, 120);
    EXPECT_EQ(dialog->cy, 67);
    ASSERT_EQ(dialog->cdit, 5);

    const WORD* p = reinterpret_cast<const WORD*>(dialog + 1);
    EXPECT_EQ(readField(p), L"");  // no menu
    EXPECT_EQ(readField(p), L"");  // standard dialog class
    EXPECT_EQ(readField(p), L"バージョン情報");
    EXPECT_EQ(*p++, 9);            // point size
    EXPECT_EQ(readField(p), L"ＭＳ Ｐゴシック");

    struct Expected {
        int id;
        std::wstring kind;  // the class atom: 0x82 static, 0x80 button
        short x, y, cx, cy;
        DWORD type;         // low bits: SS_LEFT, SS_ICON, BS_DEFPUSHBUTTON
        bool tabStop;
    };
    const Expected controls[] = {
        {1024, L"#130", 27, 0, 88, 23, SS_LEFT, false},
        {1025, L"#130", 27, 23, 88, 11, SS_LEFT, false},
        {1026, L"#130", 15, 35, 110, 11, SS_LEFT, false},
        {0xFFFF, L"#130", 3, 5, 0, 0, SS_ICON, false},
        {IDOK, L"#128", 40, 50, 40, 14, BS_DEFPUSHBUTTON, true},
    };
    std::vector<std::wstring> texts;
    for (const Expected& want : controls) {
        p = reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t(3));
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        SCOPED_TRACE(want.id);
        EXPECT_EQ(item->id, want.id);
        EXPECT_EQ(item->x, want.x);
        EXPECT_EQ(item->y, want.y);
        EXPECT_EQ(item->cx, want.cx);
        EXPECT_EQ(item->cy, want.cy);
        EXPECT_EQ(item->style & 0x0F, want.type);
        EXPECT_EQ((item->style & WS_TABSTOP) != 0, want.tabStop);
        p = reinterpret_cast<const WORD*>(item + 1);
        EXPECT_EQ(readField(p), want.kind);
        texts.push_back(readField(p));
        p += 1 + *p / sizeof(WORD);  // creation data
    }
    EXPECT_EQ(texts[0], L"ヴァルロ");
    EXPECT_EQ(texts[1], L"Version 1.02");
    EXPECT_FALSE(texts[2].empty());
    EXPECT_EQ(texts[3], L"#100");  // icon 100
    EXPECT_EQ(texts[4], L"OK");
}

TEST_F(Resources, IconHasThirtyTwoAndSixteenPixelSixteenColourImages) {
    for (int size : {32, 16}) {
        const int id = LookupIconIdFromDirectoryEx(
            static_cast<BYTE*>(LockResource(LoadResource(module, FindResourceW(module, MAKEINTRESOURCEW(100), RT_GROUP_ICON)))),
            TRUE, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(id, 0) << size;
        const HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(image, nullptr);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);
        EXPECT_EQ(header->biBitCount, 4);
    }
}

TEST_F(Resources, VersionIsOnePointOhTwoWithTheProductsNames) {
    const std::wstring exe = driver::varloExePath();
    DWORD ignored = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, DWORD(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00020000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00020000u);
    auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT chars = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&text), &chars)) return std::wstring();
        return std::wstring(text);
    };
    EXPECT_EQ(value(L"FileDescription"), L"音当てゲーム");
    EXPECT_EQ(value(L"ProductName"), L"ヴァルロ");
    EXPECT_EQ(value(L"FileVersion"), L"1.02");
    EXPECT_EQ(value(L"ProductVersion"), L"1.02");
    EXPECT_EQ(value(L"OriginalFilename"), L"VARLO.EXE");
    for (const wchar_t* name : {L"CompanyName", L"InternalName", L"LegalCopyright"}) {
        EXPECT_FALSE(value(name).empty()) << "no " << name;
    }
    // Explorer finds the strings through the translation table: Japanese, UTF-16.
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);
}

// The manifest asks for common controls 6 and GDI scaling, and not for DPI
// awareness, which would draw the fixed 630 x 250 window tiny on a high-DPI screen.
TEST_F(Resources, ManifestAsksForCommonControlsSixAndGdiScalingWithoutDpiAwareness) {
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr) << "no manifest";
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(bytes, SizeofResource(module, found));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</gdiScaling>"), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
    EXPECT_NE(manifest.find("processorArchitecture=\"amd64\""), std::string::npos);
}

}  // namespace
