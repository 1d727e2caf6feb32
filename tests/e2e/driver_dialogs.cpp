// The program's message boxes: found, read and answered.
#include "driver_internal.h"

#include <algorithm>

namespace driver {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
// A busy program answers WM_GETTEXT late; a hung one never does.
constexpr UINT kTextTimeoutMs = 5000;

}  // namespace

HWND waitForMessageBox(const Program& program, DWORD timeoutMs) {
    HWND box = nullptr;
    waitFor(
        [&] {
            box = findWindow(program.process.dwProcessId, kDialogClass);
            return box != nullptr || processEnded(program);
        },
        timeoutMs);
    return box;
}

std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &length)) return {};
    std::wstring text(size_t(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied))
        return {};
    text.resize(std::min<size_t>(size_t(copied), size_t(length)));
    return text;
}

std::vector<std::wstring> childTexts(HWND dialog, const wchar_t* childClass) {
    struct Search {
        const wchar_t* childClass;
        std::vector<std::wstring> texts;
    } search{childClass, {}};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (CompareStringOrdinal(className(child).c_str(), -1, s.childClass, -1, TRUE) == CSTR_EQUAL) {
                std::wstring text = windowText(child);
                if (!text.empty()) s.texts.push_back(std::move(text));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.texts;
}

void answer(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
}

void dismiss(HWND dialog) {
    answer(dialog, IDOK);
}

}  // namespace driver
