#pragma once
// Text in the messages our own windows receive. On the NT family our windows are wide windows; on the 95
// family they are made through the ANSI functions, so their procedures get text in the ANSI code page.
// What counts is the form of the procedure that receives the message (a subclass installed through a
// wide function gets wide messages on an ANSI window): the system tells it per window.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv::win {

// The text a message to `window` carries in its pointer parameter (WM_SETTEXT, EM_REPLACESEL); empty for null.
std::wstring message_text(HWND window, LPARAM text);

// Text to hand on in a message's pointer parameter to `window`'s procedures, in their form.
class MessageTextParameter {
public:
    MessageTextParameter(HWND window, std::wstring_view text);
    LPARAM get() const noexcept;

private:
    bool wide_window_;
    std::wstring wide_;
    std::string ansi_;
};

// A character typed into the window. An ANSI window gets a double-byte character as two WM_CHAR
// messages, lead byte first: the character is known with the second, and both bytes go on together.
struct TypedCharacter {
    wchar_t character;
    WPARAM lead_byte;  // the first message's byte to hand on before this one's, or 0
};

class TypedCharacters {
public:
    // The character a WM_CHAR to `window` completes; none for a lead byte, which waits for the next message.
    std::optional<TypedCharacter> take(HWND window, WPARAM character) noexcept;

private:
    BYTE lead_ = 0;
};

// A tooltip asking for its text: TTN_GETDISPINFO in either form (an ANSI window gets the ANSI one).
bool asks_for_tip_text(const NMHDR& header) noexcept;
// Answers that request with `text`, cut to the request's own field.
void answer_tip_text(NMHDR& header, std::wstring_view text) noexcept;

} // namespace qv::win
