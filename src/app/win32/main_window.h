#pragma once
// The main window, class TForm1: the small gauge window and the controller of the whole program.
#include "base/win32/window.h"

namespace qv::app {

class MainWindow : public win::Window {
public:
    MainWindow();
    ~MainWindow() override;
    // Runs the message loop until the program is told to end; returns the exit code.
    int run();

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
};

} // namespace qv::app
