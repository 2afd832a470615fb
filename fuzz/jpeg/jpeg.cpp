// The JPEG decoder on any bytes: libjpeg's errors come back as an empty picture instead of ending the
// process, and a picture that comes back is within the pixel cap with every pixel a plain colour.
#include <cstdint>
#include <span>

#include "common/check.h"
#include "skin/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    using namespace qv::skin;
    const Image image = DecodeJpegPicture(std::span<const std::uint8_t>(data, size));
    if (image.Empty()) return 0;
    FUZZ_CHECK(image.PictureFormat() == Image::ifJpeg && !image.HasPalette());
    FUZZ_CHECK(image.Width() > 0 && image.Height() > 0 && PictureSizeAllowed(image.Width(), image.Height()));
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) FUZZ_CHECK((image.Pixels().At(x, y) >> 24) == 0);
    }
    return 0;
}
