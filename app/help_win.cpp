// HTML Help calls. Their results are not tested: a missing help file is the
// help system's to report.
#include "app/app_win.h"

#include <htmlhelp.h>

namespace {
DWORD_PTR helpCookie = 0;
}

void initHelp() {
    HtmlHelpW(nullptr, nullptr, HH_INITIALIZE, reinterpret_cast<DWORD_PTR>(&helpCookie));
}

bool helpTakesMessage(MSG* message) {
    return HtmlHelpW(nullptr, nullptr, HH_PRETRANSLATEMESSAGE, reinterpret_cast<DWORD_PTR>(message)) != nullptr;
}

void showHelpContext(HWND owner, DWORD context) {
    HtmlHelpW(owner, helpFilePath, HH_HELP_CONTEXT, context);
}

void showHelpContents(HWND owner) {
    HtmlHelpW(owner, helpFilePath, HH_DISPLAY_TOC, 0);
}

void shutDownHelp() {
    HtmlHelpW(nullptr, nullptr, HH_CLOSE_ALL, 0);
    HtmlHelpW(nullptr, nullptr, HH_UNINITIALIZE, helpCookie);
}
