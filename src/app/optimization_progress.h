#pragma once
// What the window shows while a run is under way: the phase in the title, the filling progress in the
// main tray icon, and how often it shows it.
#include <string>

namespace qv::app {

inline constexpr wchar_t kFillingTitle[] = L"物理メモリのデフラグ中 ";
inline constexpr wchar_t kReleasingTitle[] = L"物理メモリの解放中 ";

inline bool is_filling_phase(int progress) { return progress <= 50; }
inline std::wstring run_phase_title(int progress) { return is_filling_phase(progress) ? kFillingTitle : kReleasingTitle; }
// The tray icon shows the filling phase as 0..100.
inline int filling_icon_number(int progress) { return progress * 2; }

// A new tray icon and a pass over the message queue are round trips to the system (the icon one to the
// notification area's process, which repaints) that cost more than a block does while nothing has to be
// paged out: 512 MB take a fifth of a second. So a run shows itself at a human pace: a new icon only for
// a new number and no sooner than an icon frame after the last (the filling's last number, 100,
// always), faster than anyone reads a number; the queue at each change of phase, so that the new title
// is painted at once, and otherwise a frame after the last pass, so that the window and other programs
// get their answers as promptly as ever. A slow run, an icon frame or more per step, shows every step as
// it comes.
inline constexpr double kRunFrameMs = 15;
inline constexpr double kRunIconFrameMs = 40;

struct RunStepView {
    bool draw_icon = false;
    int icon_number = 0;
    bool run_messages = false;
};

class RunFrames {
public:
    // At the start of each run.
    void start() { *this = RunFrames(); }

    RunStepView step(int progress, double now_ms) {
        RunStepView view;
        const bool filling = is_filling_phase(progress);
        if (filling) {
            const int number = filling_icon_number(progress);
            const bool due = !icon_shown_ || number == 100 || now_ms - icon_at_ >= kRunIconFrameMs;
            if (due && (!icon_shown_ || number != icon_number_)) {
                view.draw_icon = true;
                view.icon_number = number;
            }
        }
        const bool phase_changed = !stepped_ || filling != filling_;
        if (phase_changed || now_ms - messages_at_ >= kRunFrameMs) {
            view.run_messages = true;
            messages_at_ = now_ms;
        }
        stepped_ = true;
        filling_ = filling;
        return view;
    }

    // The icon now shows `number`; an icon that could not be made is tried again at the next step.
    void icon_shown(int number, double now_ms) {
        icon_shown_ = true;
        icon_number_ = number;
        icon_at_ = now_ms;
    }

private:
    bool stepped_ = false;
    bool filling_ = true;
    double messages_at_ = 0;
    bool icon_shown_ = false;
    int icon_number_ = 0;
    double icon_at_ = 0;
};

} // namespace qv::app
