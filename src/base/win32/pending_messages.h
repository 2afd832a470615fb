#pragma once
// Lets the window messages waiting in this thread's queue run, from inside a long action on the
// user-interface thread (a memory run, a processor measurement).
namespace qv::win {

// Dispatches every waiting message and returns when the queue is empty. A WM_QUIT is put back and
// ends the call, so that the message loop still sees it. While a menu is open, keyboard and mouse input
// stays in the queue for the menu.
void run_pending_messages() noexcept;

} // namespace qv::win
