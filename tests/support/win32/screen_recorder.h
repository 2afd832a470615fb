#pragma once
// Watches one rectangle of the screen on a thread of its own, from construction to stop(): it copies it
// over and over and keeps each picture that differs from the one kept before. For what a program shows
// only briefly, while the test waits for something else.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "support/win32/screen_capture.h"

namespace qv::test {

class ScreenRecorder {
public:
    struct Frame {
        std::vector<COLORREF> pixels;  // the rectangle's colours, row by row
        ScreenCapture picture;         // the same as a picture (to save for a person)
    };

    explicit ScreenRecorder(const RECT& area);
    ScreenRecorder(const ScreenRecorder&) = delete;
    ScreenRecorder& operator=(const ScreenRecorder&) = delete;
    ~ScreenRecorder();

    // Ends the watch; the frames in the order they were seen (the first one as the watch began).
    std::vector<Frame> stop();

private:
    void watch();

    RECT area_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::vector<Frame> frames_;
    std::thread thread_;  // last: starts once everything it uses exists
};

} // namespace qv::test
