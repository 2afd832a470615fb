#pragma once
// Text in the messages our own windows receive. On the NT family our windows are wide windows; on the 95
// family they are ANSI windows (made through the ANSI functions), so the text their procedures get, and
// what they hand on to a default procedure, is in the ANSI code page there.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv::win {

// The text a message's pointer parameter carries (WM_SETTEXT, EM_REPLACESEL); empty for null.
std::wstring message_text(LPARAM text);

// Text to hand on in a message's pointer parameter, in the window's form.
class MessageTextParameter {
public:
    explicit MessageTextParameter(std::wstring_view text);
    LPARAM get() const noexcept;

private:
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
    explicit TypedCharacters(bool ansi_window);
    // The character a WM_CHAR completes; none for a lead byte, which waits for the next message.
    std::optional<TypedCharacter> take(WPARAM character) noexcept;

private:
    bool ansi_;
    BYTE lead_ = 0;
};

// Whether our windows get ANSI text (the 95 family).
bool ansi_windows() noexcept;

// A tooltip asking for its text: TTN_GETDISPINFO in either form (an ANSI window gets the ANSI one).
bool asks_for_tip_text(const NMHDR& header) noexcept;
// Answers that request with `text`, cut to the request's own field.
void answer_tip_text(NMHDR& header, std::wstring_view text) noexcept;

} // namespace qv::win
