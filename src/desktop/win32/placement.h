#pragma once
// The window placement components: always on top, snapping to screen edges while dragged, and no
// taskbar button.
#include <windows.h>

#include <functional>

#include "desktop/screen_dock.h"

namespace qv::desktop {

class TTopMostWindow {
public:
    using NotifyEvent = std::function<void(TTopMostWindow& sender)>;

    explicit TTopMostWindow(HWND owner) : owner_(owner) {}

    bool AlwaysOnTop() const { return always_on_top_; }
    // An unchanged value does nothing and raises no event.
    void SetAlwaysOnTop(bool on_top);

    NotifyEvent OnBeforeChange;
    NotifyEvent OnAfterChange;

private:
    void apply();

    HWND owner_;
    bool always_on_top_ = false;
};

class TScreenDocker {
public:
    using DockedEvent = std::function<void(TScreenDocker& sender, TScreenEdge& edge)>;

    // Throws AppError "TScreenDocker can only be placed on a TForm." for a missing window and
    // "Only one instance of TScreenDocker is allowed per form." for a second docker on it.
    explicit TScreenDocker(HWND owner);
    ~TScreenDocker();
    TScreenDocker(const TScreenDocker&) = delete;
    TScreenDocker& operator=(const TScreenDocker&) = delete;

    bool Active = true;
    unsigned DockableTo = kAllEdges;
    TDockArea DockArea = daWorkArea;
    int DockDistance = 10;  // at 96 pixels an inch; as far on screen at every scale
    DockedEvent OnDocked;

private:
    static LRESULT CALLBACK hook(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                 DWORD_PTR self) noexcept;
    bool on_moving(RECT& proposed);

    HWND owner_;
};

// No taskbar button: the program's window becomes a tool window. The state and the window's
// extended style at start are kept once per program.
class TIconHide {
public:
    // Remembers `window`'s extended style as it is at start; call once, before the first TIconHide.
    static void remember_startup_style(HWND window);

    TIconHide();  // Hidden := true
    bool Hidden() const;
    void SetHidden(bool hidden);
};

} // namespace qv::desktop
