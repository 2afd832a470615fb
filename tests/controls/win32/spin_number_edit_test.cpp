#include "controls/win32/spin_number_edit.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

#include "skin/win32/window_surface.h"

namespace qv::controls {
namespace {

void pump_for(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(5);
    }
}

struct SpinNumberEditFixture : ::testing::Test {
    SpinNumberEditFixture() {
        edit.OnChange = [this](TSpinNumberEdit&) { ++changes; };
        button = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 120, 10, 60, 24,
                                   parent.handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowSubclass(button, &CountClicks, 1, reinterpret_cast<DWORD_PTR>(&clicks));
    }
    ~SpinNumberEditFixture() override { ::RemoveWindowSubclass(button, &CountClicks, 1); }

    static LRESULT CALLBACK CountClicks(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR count) {
        if (message == BM_CLICK) ++*reinterpret_cast<int*>(count);
        return ::DefSubclassProc(window, message, wparam, lparam);
    }
    void type(const wchar_t* text) {
        for (const wchar_t* c = text; *c; ++c) ::SendMessageW(edit.EditWindow(), WM_CHAR, *c, 0);
    }
    void key(WPARAM vk) { ::SendMessageW(edit.EditWindow(), WM_KEYDOWN, vk, 0); }

    // A hidden parent: Wine is slow to take shown windows off the display.
    skin::win::GraphicPanel parent{nullptr, 50, 50, 200, 100, false};
    TSpinNumberEdit edit{parent.handle(), 10, 10};
    HWND button = nullptr;
    int changes = 0;
    int clicks = 0;
};

TEST_F(SpinNumberEditFixture, TypingIsFilteredAndClampedOnlyWhenTheFieldIsLeft) {
    edit.SetMinValue(0);
    edit.SetMaxValue(128);
    EXPECT_EQ(edit.Value(), 0);  // empty text reads as the minimum
    type(L"2a0x0");
    EXPECT_EQ(edit.Text(), L"200");
    EXPECT_EQ(edit.Value(), 200);
    EXPECT_EQ(changes, 3);
    ::SendMessageW(edit.EditWindow(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(edit.Text(), L"128");

    edit.EditorEnabled = false;
    type(L"5\b");
    EXPECT_EQ(edit.Text(), L"128");
    // Without a range nothing is clamped. Setting raises OnChange once, and only for a new text.
    edit.SetMaxValue(0);
    const int typed_changes = changes;
    edit.SetValue(250);
    edit.SetValue(250);
    EXPECT_EQ(edit.Text(), L"250");
    EXPECT_EQ(changes, typed_changes + 1);
}

TEST_F(SpinNumberEditFixture, ArrowKeysAndHeldButtonsStep) {
    edit.Increment = 100;
    edit.SetValue(2000);
    key(VK_UP);
    EXPECT_EQ(edit.Value(), 2100);
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(edit.Value(), 1900);
    edit.SetReadOnly(true);
    key(VK_UP);
    EXPECT_EQ(edit.Value(), 1900);
    edit.SetReadOnly(false);

    // The upper half of the button column: one step at once, then repeats while held.
    RECT client{};
    ::GetClientRect(edit.handle(), &client);
    const LPARAM up = MAKELPARAM(client.right - 7, 2);
    ::SendMessageW(edit.handle(), WM_LBUTTONDOWN, MK_LBUTTON, up);
    EXPECT_EQ(edit.Value(), 2000);
    pump_for(800);  // 400 ms, then every 100 ms
    const int held = edit.Value();
    EXPECT_GE(held, 2200);
    ::SendMessageW(edit.handle(), WM_LBUTTONUP, 0, up);
    pump_for(300);
    EXPECT_EQ(edit.Value(), held);
}

TEST_F(SpinNumberEditFixture, EnterPressesTheDefaultButtonAndKeepsTheWholeTextSelected) {
    edit.SetValue(42);
    key(VK_RETURN);
    ::SendMessageW(edit.EditWindow(), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(edit.Text(), L"42");  // the Enter character is not typed
    DWORD start = 1, end = 0;
    ::SendMessageW(edit.EditWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);

    // No default button: nothing is pressed.
    ::SetWindowLongPtrW(button, GWL_STYLE, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    key(VK_RETURN);
    EXPECT_EQ(clicks, 1);
}

// The clipboard holding `text`.
void put_clipboard(const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    ASSERT_TRUE(memory);
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(::GlobalLock(memory)));
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);  // the clipboard owns it otherwise
    ::CloseClipboard();
}

TEST_F(SpinNumberEditFixture, NoLineBreakEntersTheField) {
    edit.SetMaxValue(1000);
    edit.SetValue(42);
    key(VK_RETURN);  // Ctrl+Enter: the key, then a line feed
    type(L"\n");
    type(L"\n");  // Ctrl+J
    EXPECT_EQ(edit.Text(), L"42");

    // A paste of several lines takes the first, as a one-line field does.
    put_clipboard(L"17\r\n25\r\n");
    ::SendMessageW(edit.EditWindow(), EM_SETSEL, 0, -1);
    ::SendMessageW(edit.EditWindow(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit.Text(), L"17");
    EXPECT_EQ(edit.Value(), 17);
    edit.SetText(L"3\r\n4");
    EXPECT_EQ(edit.Text(), L"3");
}

TEST_F(SpinNumberEditFixture, AlignmentMakesTheFieldAnewAndTheHeightHasAFloor) {
    edit.SetValue(7);
    HWND before = edit.EditWindow();
    edit.SetAlignment(TAlignment::taRightJustify);
    EXPECT_NE(edit.EditWindow(), before);
    EXPECT_TRUE(::GetWindowLongPtrW(edit.EditWindow(), GWL_STYLE) & ES_RIGHT);
    EXPECT_EQ(edit.Text(), L"7");
    key(VK_UP);
    EXPECT_EQ(edit.Value(), 8);

    TSpinNumberEdit flat(parent.handle(), 10, 50, 100, 4);
    RECT r{};
    ::GetWindowRect(flat.handle(), &r);
    EXPECT_GT(r.bottom - r.top, 12);
}

} // namespace
} // namespace qv::controls
