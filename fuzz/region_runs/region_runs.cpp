// The shape scans on any picture: every run lies inside the control, holds no see-through pixel of the
// window shape, and the runs of a row are ordered and apart.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

#include "base/app_error.h"
#include "common/check.h"
#include "skin/region_runs.h"

namespace {

using namespace qv::skin;

void check_ordered(const std::vector<Run>& runs) {
    for (size_t i = 0; i < runs.size(); ++i) {
        FUZZ_CHECK(runs[i].Left < runs[i].Right);
        if (i > 0) {
            FUZZ_CHECK(runs[i - 1].Y <= runs[i].Y);
            if (runs[i - 1].Y == runs[i].Y) FUZZ_CHECK(runs[i - 1].Right < runs[i].Left);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange<int>(0, 80);
    const int height = in.ConsumeIntegralInRange<int>(0, 80);
    const bool palette = in.ConsumeBool();
    // The control may be larger or smaller than its picture.
    const int shown_width = in.ConsumeIntegralInRange<int>(-2, 100);
    const int shown_height = in.ConsumeIntegralInRange<int>(-2, 100);
    // Few distinct values, so that runs form.
    const Pixel colours[4] = {0xFF00FF, 0x000000, 0x0000FF, in.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF};
    const Pixel transparent = colours[in.ConsumeIntegralInRange<int>(0, 3)];

    PixelBuffer pixels(width, height);
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t b = in.ConsumeIntegral<std::uint8_t>();
            pixels.Set(x, y, colours[b & 3]);
            if (palette) indices.push_back(b >> 2);
        }
    }
    const Image picture(std::move(pixels), Image::ifBitmap, std::move(indices));

    const std::vector<Run> form = FormRegionRuns(picture, transparent, shown_width, shown_height);
    check_ordered(form);
    for (const Run& run : form) {
        FUZZ_CHECK(run.Y >= 1 && run.Y < shown_height && run.Left >= 1 && run.Right <= shown_width);
        for (int x = run.Left; x < run.Right; ++x) {
            FUZZ_CHECK(x >= width || run.Y >= height || picture.Pixels().At(x, run.Y) != transparent);
        }
    }

    try {
        const std::vector<Run> button = BitmapRegionRuns(picture);
        check_ordered(button);
        const std::uint32_t key = picture.KeyAt(0, height - 1);
        for (const Run& run : button) {
            FUZZ_CHECK(run.Y >= 0 && run.Y < height && run.Left >= 0 && run.Right <= width);
            for (int x = run.Left; x < run.Right; ++x)
                FUZZ_CHECK(picture.KeyAt(x, run.Y) != key);
        }
    } catch (const qv::AppError&) {
        // No pixels, or a row too ragged for a button shape.
    }
    return 0;
}
