#pragma once
// THookHotKey: system-wide hotkeys registered for a hidden window of its own; each press raises
// OnHotKey with the identifier it was registered under.
#include <windows.h>

#include <functional>

#include "base/win32/window.h"

namespace qv::desktop {

class THookHotKey : private win::Window {
public:
    using HotKeyEvent = std::function<void(THookHotKey& sender, int index)>;

    explicit THookHotKey(HWND owner);
    ~THookHotKey() override;

    bool AddHotKey(int id, unsigned shortcut);
    bool RemoveHotKey(int id);

    bool Activate = true;  // bring the owner to the foreground before OnHotKey
    HotKeyEvent OnHotKey;

    HWND window() const { return handle(); }

private:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    HWND owner_;
};

} // namespace qv::desktop
