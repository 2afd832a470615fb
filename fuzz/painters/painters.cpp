// The gauges and the progress bar painted on a surface of any size, at any place (near the ends of the int
// range too), with any range their setters accept, any value, colours, gauge text and font; repainted after
// a change of value, as a refresh does. Then the canvas itself, with an origin, a clip and coordinates
// anywhere in the int range: no drawing may change a pixel outside its clip.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "base/app_error.h"
#include "common/check.h"
#include "skin/cool_gauge.h"
#include "skin/fake_surface.h"
#include "skin/gauge.h"
#include "skin/gprogress.h"

namespace {

using namespace qv::skin;

constexpr Color kBackground = 0x00FF00;

Color colour(FuzzedDataProvider& in) {
    // Now and then a system colour (top bit and an index).
    return in.ConsumeBool() ? 0x80000000u | in.ConsumeIntegralInRange<std::uint32_t>(0, 40)
                            : in.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF;
}

// Mostly near the window, now and then anywhere or at an end of the int range.
int coordinate(FuzzedDataProvider& in, int low, int high) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return in.ConsumeIntegral<int>();
        case 1:
            return in.ConsumeBool() ? INT_MAX - in.ConsumeIntegralInRange<int>(0, 16)
                                    : INT_MIN + in.ConsumeIntegralInRange<int>(0, 16);
        default:
            return in.ConsumeIntegralInRange<int>(low, high);
    }
}

Rect rectangle(FuzzedDataProvider& in, int width, int height) {
    return {coordinate(in, -8, width + 8), coordinate(in, -8, height + 8), coordinate(in, -8, width + 8),
            coordinate(in, -8, height + 8)};
}

// A place for a control no larger than its window (a skin with a larger one is refused).
void place(FuzzedDataProvider& in, GraphicControl& control, int width, int height) {
    const int w = in.ConsumeIntegralInRange<int>(0, width);
    const int h = in.ConsumeIntegralInRange<int>(0, height);
    control.SetBounds(coordinate(in, -w, width), coordinate(in, -h, height), w, h);
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

// A range as the setters take it: while loading, the minimum may lie above the maximum.
void set_range(FuzzedDataProvider& in, TGauge& gauge) {
    gauge.SetLoading(in.ConsumeBool());
    try {
        gauge.SetMinValue(value(in));
        gauge.SetMaxValue(value(in));
    } catch (const qv::AppError&) {
        // Refused outside loading; the old value stays.
    }
    gauge.SetLoading(false);
    gauge.SetProgress(value(in));
}

std::optional<Pixel> maybe(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return std::nullopt;
    return in.ConsumeIntegral<Pixel>();
}

void draw_anywhere(FuzzedDataProvider& in, PixelBuffer& target) {
    const int width = target.Width(), height = target.Height();
    const PixelBuffer before = target.Clone();
    Canvas canvas(target, {coordinate(in, -width, width), coordinate(in, -height, height)},
                  rectangle(in, width, height));
    if (in.ConsumeBool()) canvas = canvas.Sub(rectangle(in, width, height));
    if (in.ConsumeBool()) canvas = canvas.Clipped(rectangle(in, width, height));
    const Rect clip = canvas.ClipRect().Offset(canvas.Origin().x, canvas.Origin().y);
    PixelBuffer source(in.ConsumeIntegralInRange<int>(0, 16), in.ConsumeIntegralInRange<int>(0, 16), 0x123456);
    auto point = [&] { return Point{coordinate(in, -width, width), coordinate(in, -height, height)}; };
    for (int ops = 0; ops < 16 && in.remaining_bytes() > 0; ++ops) {
        switch (in.ConsumeIntegralInRange<int>(0, 11)) {
            case 0: {
                const Point p = point();
                if (const auto pixel = canvas.PixelAt(p.x, p.y)) canvas.SetPixel(p.x, p.y, *pixel ^ 1);
                break;
            }
            case 1:
                canvas.FillRect(rectangle(in, width, height), 1);
                break;
            case 2:
                canvas.FrameRect(rectangle(in, width, height), 2);
                break;
            case 3:
                canvas.Rectangle(rectangle(in, width, height), maybe(in), maybe(in));
                break;
            case 4:
                canvas.Copy(source, rectangle(in, 16, 16), point());
                break;
            case 5:
                canvas.CopyKeyed(source, rectangle(in, 16, 16), point(), 0);
                break;
            case 6:
                canvas.Xor(source, rectangle(in, 16, 16), point());
                break;
            case 7:
                canvas.Stretch(source, rectangle(in, 16, 16), rectangle(in, width, height), maybe(in));
                break;
            case 8:
                canvas.Ellipse(rectangle(in, width, height), maybe(in), maybe(in));
                break;
            case 9:
                canvas.Pie(rectangle(in, width, height), point(), point(), maybe(in), maybe(in));
                break;
            case 10:
                canvas.DrawMask(source, point(), 3, in.ConsumeBool() ? std::optional(rectangle(in, width, height))
                                                                     : std::nullopt);
                break;
            default: {
                // A line is drawn pixel by pixel: a short one, anywhere.
                const Point from = point();
                const int dx = in.ConsumeIntegralInRange<int>(-64, 64), dy = in.ConsumeIntegralInRange<int>(-64, 64);
                canvas.Line(from.x, from.y, ClampToInt(std::int64_t{from.x} + dx), ClampToInt(std::int64_t{from.y} + dy),
                            4);
                break;
            }
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) FUZZ_CHECK(clip.Contains(x, y) || target.At(x, y) == before.At(x, y));
    }
}

// Controls paint only within their bounds: every other pixel is still the window's background.
void CheckOnlyBoundsPainted(const qv::test::FakeSurface& surface, std::initializer_list<const GraphicControl*> controls) {
    for (int y = 0; y < surface.pixels.Height(); ++y) {
        for (int x = 0; x < surface.pixels.Width(); ++x) {
            bool covered = false;
            for (const GraphicControl* control : controls) covered = covered || control->BoundsRect().Contains(x, y);
            if (!covered) FUZZ_CHECK(surface.ColorAt(x, y) == kBackground);
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

    TGauge plain;
    place(in, plain, width, height);
    set_range(in, plain);
    plain.SetKind(static_cast<TGaugeKind>(in.ConsumeIntegralInRange<int>(0, 4)));
    plain.SetBorderStyle(in.ConsumeBool() ? bsSingle : bsNone);
    plain.SetShowText(in.ConsumeBool());
    plain.SetParent(&surface.host);

    TLabelGauge label;
    place(in, label, width, height);
    set_range(in, label);
    label.SetKind(in.ConsumeBool() ? TLabelGaugeKind::gkVerticalBar : TLabelGaugeKind::gkHorizontalBar);
    label.SetTransparent(in.ConsumeBool());
    label.SetShowText(in.ConsumeBool());
    label.SetParent(&surface.host);

    surface.PaintAll();
    CheckOnlyBoundsPainted(surface, {&gauge, &bar, &plain, &label});
    draw_anywhere(in, surface.pixels);
    // Refreshes: new values, each shown as the window's timer would.
    while (in.remaining_bytes() > 0) {
        gauge.SetProgress(value(in));
        plain.SetProgress(value(in));
        label.SetProgress(value(in));
        bar.SetPosition(value(in));
        bar.Repaint();
        surface.PaintAll();
        CheckOnlyBoundsPainted(surface, {&gauge, &bar, &plain, &label});
    }
    gauge.SetParent(nullptr);
    bar.SetParent(nullptr);
    plain.SetParent(nullptr);
    label.SetParent(nullptr);
    return 0;
}
