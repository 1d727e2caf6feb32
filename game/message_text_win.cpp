// The message label. Its text is always the game's current message, so a
// screen reader's object navigation finds it; each new message is announced as
// a change of a live region, which Narrator and NVDA speak wherever the focus is.
#include "game/message_text_win.h"

#include <initguid.h>  // the interface's identifiers are defined here
#include <oleacc.h>

#include <mutex>
#include <string>

#include "base/module_win.h"
#include "base/window_messages.h"
#include "game/message_text.h"

namespace {

// Windows 8 and later; the program's headers target Windows 7, where the event
// and the property mean nothing and are ignored.
constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb);
constexpr LONG kPolite = 1;  // LiveSetting: announced after what is being said

// UI thread.
HWND label = nullptr;
IAccPropServices* annotations = nullptr;
std::wstring shown;

// The newest text, from either thread; the UI thread takes it.
std::mutex pendingLock;
std::wstring pending;

// Marks the label as a polite live region for UI Automation (Narrator); NVDA
// speaks the event on any label. Without the service (or COM, which wWinMain
// starts) the event goes out all the same.
void makeLiveRegion() {
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&annotations)))) {
        annotations = nullptr;
        return;
    }
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    annotations->SetHwndProp(label, OBJID_CLIENT, CHILDID_SELF, kLiveSettingProperty, polite);
}

}  // namespace

void setMessageText(Window window, const std::wstring& text) {
    {
        const std::lock_guard<std::mutex> hold(pendingLock);
        pending = text;
    }
    // Posted, never sent: the game thread must not wait for the UI thread,
    // which may be waiting for it to end.
    PostMessageW(window, kMessageTextMessage, 0, 0);
}

void createMessageLabel(HWND window) {
    // Zero-sized: it draws nothing over the canvas.
    label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, window,
                            nullptr, instance, nullptr);
    if (label != nullptr) makeLiveRegion();
}

void showMessageText() {
    std::wstring text;
    {
        const std::lock_guard<std::mutex> hold(pendingLock);
        text = pending;
    }
    // A hint typed again after each mark says nothing new.
    if (label == nullptr || text == shown) return;
    shown = text;
    SetWindowTextW(label, text.c_str());
    if (!text.empty()) NotifyWinEvent(kLiveRegionChanged, label, OBJID_CLIENT, CHILDID_SELF);
}

void releaseMessageLabel() {
    if (annotations != nullptr) {
        MSAAPROPID live = kLiveSettingProperty;
        annotations->ClearHwndProps(label, OBJID_CLIENT, CHILDID_SELF, &live, 1);
        annotations->Release();
        annotations = nullptr;
    }
    label = nullptr;
}
