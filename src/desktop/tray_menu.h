#pragma once
// The menu a tray icon opens at the cursor. The icon decides when it opens; its owner supplies the
// menu, its check marks and what its commands do.
namespace qv::desktop {

class TrayMenu {
public:
    virtual ~TrayMenu() = default;
    // Opens the menu at the screen point (x, y); returns once it has closed.
    virtual void Popup(int x, int y) = 0;
};

} // namespace qv::desktop
