// The cost of the gauge window's drawing: the whole default design (background, title, six captions,
// six gauges, close button) painted into the 221 x 108 back buffer and put on screen with one BitBlt;
// a display refresh (six new gauge values in one batch); and, for comparison, the bare BitBlt.
// Prints median CPU times; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

#include "controls/flat_button.h"
#include "bench/support/bench_clock.h"
#include "skin/cool_gauge.h"
#include "skin/text_label.h"
#include "skin/win32/window_surface.h"

namespace {

using namespace qv::skin;

double ThreadCpuMicroseconds() { return qv::bench::thread_cpu_microseconds(); }
double WallMicroseconds() { return qv::bench::wall_microseconds(); }

struct Figures {
    double cpu;
    double wall;
};

// Runs `operation` in batches long enough for the thread clock's granularity; medians per operation.
Figures Measure(const std::function<void(int)>& operation) {
    int iteration = 0;
    for (int i = 0; i < 50; ++i) operation(iteration++);  // warm: fonts, masks, gradients
    int batch = 1;
    for (;;) {
        const double start = WallMicroseconds();
        for (int i = 0; i < batch; ++i) operation(iteration++);
        if (WallMicroseconds() - start > 100000 || batch >= (1 << 20)) break;
        batch *= 2;
    }
    std::vector<double> cpu, wall;
    for (int sample = 0; sample < 11; ++sample) {
        const double c0 = ThreadCpuMicroseconds(), w0 = WallMicroseconds();
        for (int i = 0; i < batch; ++i) operation(iteration++);
        cpu.push_back((ThreadCpuMicroseconds() - c0) / batch);
        wall.push_back((WallMicroseconds() - w0) / batch);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    return {cpu[cpu.size() / 2], wall[wall.size() / 2]};
}

Font GothicFont(int height, Color color) {
    Font font;
    font.Name = L"ＭＳ Ｐゴシック";
    font.Height = height;
    font.Style = fsBold;
    font.Charset = kShiftJisCharset;
    font.FontColor = color;
    return font;
}

} // namespace

int main() {
    win::GraphicPanel panel(nullptr, 20, 20, 221, 108);
    GraphicHost& host = panel.Host();
    host.SetColor(0xFF8000);

    std::array<TextLabel, 7> labels;
    const wchar_t* captions[] = {L"Quorvane", L"Memory", L"Swap", L"CPU", L"System Resource", L"User Resource",
                                 L"GDI Resource"};
    const int places[][2] = {{2, 1}, {5, 19}, {5, 48}, {5, 77}, {117, 19}, {117, 48}, {117, 77}};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i].SetLeft(places[i][0]);
        labels[i].SetTop(places[i][1]);
        labels[i].SetFont(GothicFont(i == 0 ? -15 : -11, clWhite));
        labels[i].SetCaption(captions[i]);
        labels[i].SetParent(&host);
    }
    std::array<TCoolGauge, 6> gauges;
    for (int i = 0; i < 6; ++i) {
        gauges[i].SetBounds(i < 3 ? 5 : 117, 32 + 29 * (i % 3), 100, 16);
        gauges[i].SetForeColor1(0xFFFF00);
        gauges[i].SetForeColor2(0xFF8000);
        gauges[i].SetFont(GothicFont(-13, 0xFF0000));
        gauges[i].SetParent(&host);
    }
    const long long total = 8LL << 30;
    gauges[0].SetMaxValue(total);
    qv::controls::TFlatButton close;
    close.SetBounds(200, 3, 15, 15);
    close.SetRandfarbe(clWhite);
    close.SetFarbe(0xFF8000);
    close.SetCaption(L"X");
    close.SetParent(&host);

    auto set_values = [&](int n) {
        gauges[0].SetProgress((total / 997) * ((n * 37) % 997));
        gauges[0].SetText(std::to_wstring(((n * 37) % 997) * 8) + L"/8192 MB");
        for (int i = 1; i < 6; ++i) gauges[i].SetProgress((n * 7 + i * 13) % 101);
    };

    set_values(1);
    const Figures whole = Measure([&](int) { panel.Surface().Refresh(); });
    const Figures refresh = Measure([&](int n) {
        UpdateBatch batch(host);
        set_values(n);
    });
    HDC source = panel.Surface().BackBuffer().Dc();
    const Figures blit = Measure([&](int) {
        qv::win::WindowDC screen(panel.handle());
        ::BitBlt(screen.get(), 0, 0, 221, 108, source, 0, 0, SRCCOPY);
    });

    std::printf("display: median per operation, CPU time of this thread (wall time)\n");
    std::printf("  whole window painted into the 221 x 108 buffer, one blit:   %8.1f us  (%8.1f us)\n", whole.cpu,
                whole.wall);
    std::printf("  six new gauge values in one batch, painted, one blit:       %8.1f us  (%8.1f us)\n", refresh.cpu,
                refresh.wall);
    std::printf("  bare 221 x 108 blit to the window:                          %8.1f us  (%8.1f us)\n", blit.cpu,
                blit.wall);
    return 0;
}
