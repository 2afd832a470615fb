// The cost of shaping the main window from a screen-sized background picture (1920 x 1080): one whose
// pixels alternate between see-through and blue (about a million runs), against the same picture with no
// see-through pixel (one band, the scan alone) measured in the same run. Shaping is the scan, the region
// and handing it to the window, which refuses the dithered one (too many rectangles). Prints medians of
// wall time and their ratio; asserts nothing.
#include <windows.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "base/app_error.h"
#include "bench/support/bench_clock.h"
#include "skin/win32/form_rgn.h"

namespace {

using namespace qv::skin;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr Pixel kSeeThrough = 0xFF00FF;

Image ScreenPicture(bool dithered) {
    PixelBuffer pixels(kWidth, kHeight, 0x0000FF);
    if (dithered) {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = y & 1; x < kWidth; x += 2) pixels.Set(x, y, kSeeThrough);
        }
    }
    return Image(std::move(pixels));
}

struct Figures {
    double milliseconds;
    bool applied;
};

// Median wall time of shaping a window, in ms.
Figures Shape(HWND window, const Image& picture) {
    win::TFormRgn back(window);
    back.SetBounds(-2, 0, kWidth, kHeight);
    back.SetPicture(picture.Clone());
    back.SetTransparentColor(kSeeThrough);
    std::vector<double> samples;
    bool applied = true;
    for (int i = 0; i < 7; ++i) {
        const double start = qv::bench::wall_microseconds();
        back.BuildRegion();
        try {
            back.ApplyRegion();
        } catch (const qv::AppError&) {
            applied = false;
        }
        samples.push_back((qv::bench::wall_microseconds() - start) / 1000.0);
    }
    return {qv::bench::median(samples), applied};
}

} // namespace

int main() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QvRegionShapeBench";
    ::RegisterClassW(&wc);
    qv::win::UniqueWindow window(::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_BORDER, 0, 0, kWidth + 2,
                                                   kHeight + 2, nullptr, nullptr, wc.hInstance, nullptr));
    if (!window) {
        std::printf("region_shape: no window\n");
        return 1;
    }
    const Figures plain = Shape(window.get(), ScreenPicture(false));
    const Figures dithered = Shape(window.get(), ScreenPicture(true));
    auto outcome = [](const Figures& f) { return f.applied ? "applied" : "refused by the window"; };
    std::printf("region_shape: %d x %d window shaped from its picture, median wall time\n", kWidth, kHeight);
    std::printf("  no see-through pixel (baseline):           %8.1f ms  %s\n", plain.milliseconds, outcome(plain));
    std::printf("  alternating see-through and blue pixels:   %8.1f ms  %s, %.1f x baseline\n", dithered.milliseconds,
                outcome(dithered), dithered.milliseconds / plain.milliseconds);
    return 0;
}
