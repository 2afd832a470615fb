#pragma once
// Opening the help: its pages lie in the help folder beside the program and are shown by the user's
// browser. A page that is missing or that no program opens is reported in a box owned by `owner`.
#include <windows.h>

namespace qv::app {

void open_help_contents(HWND owner);
// The topic of a context number (kSettingsHelpContext, kWindowHelpContext); the contents for others.
void open_help_topic(HWND owner, int context);

}  // namespace qv::app
