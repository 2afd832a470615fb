// The gauge and the progress bar painted on a surface of any size, at any place inside their window,
// with any range, value, colours, gauge text and font; repainted after a change of value, as a refresh does.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "common/check.h"
#include "skin/cool_gauge.h"
#include "skin/fake_surface.h"
#include "skin/gprogress.h"

namespace {

using namespace qv::skin;

constexpr Color kBackground = 0x00FF00;

Color colour(FuzzedDataProvider& in) {
    // Now and then a system colour (top bit and an index).
    return in.ConsumeBool() ? 0x80000000u | in.ConsumeIntegralInRange<std::uint32_t>(0, 40)
                            : in.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF;
}

// A place for a control no larger than its window (a skin with a larger one is refused).
void place(FuzzedDataProvider& in, GraphicControl& control, int width, int height) {
    const int w = in.ConsumeIntegralInRange<int>(0, width);
    const int h = in.ConsumeIntegralInRange<int>(0, height);
    const int left = in.ConsumeIntegralInRange<int>(-w, width);
    const int top = in.ConsumeIntegralInRange<int>(-h, height);
    control.SetBounds(left, top, w, h);
}

std::int64_t value(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return in.ConsumeIntegral<std::int64_t>();
        case 1:
            return in.ConsumeIntegralInRange<std::int64_t>(-1, 101);
        case 2:
            return in.ConsumeBool() ? INT64_MAX : INT64_MIN;
        default:
            return in.ConsumeIntegral<std::int32_t>();
    }
}

bool inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// A control paints only within its bounds: every other pixel is still the window's background.
void CheckOnlyBoundsPainted(const qv::test::FakeSurface& surface, const Rect& a, const Rect& b) {
    for (int y = 0; y < surface.pixels.Height(); ++y) {
        for (int x = 0; x < surface.pixels.Width(); ++x) {
            if (!inside(a, x, y) && !inside(b, x, y)) FUZZ_CHECK(surface.ColorAt(x, y) == kBackground);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange<int>(1, 400);
    const int height = in.ConsumeIntegralInRange<int>(1, 120);
    qv::test::FakeSurface surface(width, height, kBackground);
    surface.text.CellWidth = in.ConsumeIntegralInRange<int>(0, 20);
    surface.text.CellHeight = in.ConsumeIntegralInRange<int>(0, 40);

    TCoolGauge gauge;
    place(in, gauge, width, height);
    gauge.SetMinValue(value(in));
    gauge.SetMaxValue(value(in));
    gauge.SetProgress(value(in));
    gauge.SetBorderStyle(in.ConsumeBool() ? bsSingle : bsNone);
    gauge.SetStyle(in.ConsumeBool() ? sSolid : sDithered);
    gauge.SetBackColor(colour(in));
    gauge.SetForeColor1(colour(in));
    gauge.SetForeColor2(colour(in));
    Font font;
    font.Height = in.ConsumeIntegralInRange<int>(-200, 200);
    font.FontColor = colour(in);
    gauge.SetFont(font);
    gauge.SetText(in.ConsumeBool() ? L"%d%%" : [&] {
        std::wstring t;
        for (char c : in.ConsumeRandomLengthString(24))
            t.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        return t;
    }());
    gauge.SetParent(&surface.host);

    TGProgress bar;
    place(in, bar, width, height);
    bar.SetTransparent(in.ConsumeBool());
    bar.SetGradientBar(in.ConsumeBool());
    bar.SetSolid(in.ConsumeBool());
    bar.SetFrameColor1(colour(in));
    bar.SetFrameColor2(colour(in));
    bar.SetBackgroundColor(colour(in));
    bar.SetColor(colour(in));
    bar.SetColorEnd(colour(in));
    bar.SetStep(value(in));
    bar.SetMin(value(in));
    bar.SetMax(value(in));
    bar.SetPosition(value(in));
    bar.SetParent(&surface.host);

    surface.PaintAll();
    CheckOnlyBoundsPainted(surface, gauge.BoundsRect(), bar.BoundsRect());
    // Refreshes: new values, each shown as the window's timer would.
    while (in.remaining_bytes() > 0) {
        gauge.SetProgress(value(in));
        bar.SetPosition(value(in));
        bar.Repaint();
        surface.PaintAll();
        CheckOnlyBoundsPainted(surface, gauge.BoundsRect(), bar.BoundsRect());
    }
    gauge.SetParent(nullptr);
    bar.SetParent(nullptr);
    return 0;
}
