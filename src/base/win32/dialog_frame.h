#pragma once
// What the program's dialogs share: a template without controls (they are placed in pixels once the
// window exists), a client size centred on the screen, and text measured in a font.
#include <windows.h>

#include <vector>

namespace qv::win {

// A modal-frame dialog template with this caption and no controls, for DialogBoxIndirectParamW.
std::vector<WORD> empty_dialog_template(const wchar_t* caption);

// Gives the window this client size and centres it on the screen.
void center_with_client_size(HWND window, int client_width, int client_height);

SIZE text_extent(HWND window, HFONT font, const wchar_t* text);

} // namespace qv::win
