#include "support/win32/screen_recorder.h"

namespace qv::test {

ScreenRecorder::ScreenRecorder(const RECT& area) : area_(area), thread_([this] { watch(); }) {}

ScreenRecorder::~ScreenRecorder() {
    stop();
}

std::vector<ScreenRecorder::Frame> ScreenRecorder::stop() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard lock(mutex_);
    return std::move(frames_);
}

void ScreenRecorder::watch() {
    std::vector<COLORREF> last;
    while (!stopping_) {
        ScreenCapture picture = ScreenCapture::take(area_);
        std::vector<COLORREF> pixels = picture.pixels(area_);
        if (!picture.empty() && pixels != last) {
            last = pixels;
            std::lock_guard lock(mutex_);
            frames_.push_back(Frame{std::move(pixels), std::move(picture)});
        }
        // A breath between pictures leaves the watched program a processor of its own on a small machine.
        ::Sleep(5);
    }
}

} // namespace qv::test
