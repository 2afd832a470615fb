#pragma once
// JPEG pictures from memory, decoded with libjpeg.
#include <cstdint>
#include <span>

#include "skin/image.h"

namespace qv::skin {

// libjpeg's own whole-image buffers (a progressive file keeps every coefficient until its last scan)
// stay below this; a file that needs more is refused rather than allowed to take the address space.
inline constexpr long kMaxJpegMemory = 128L << 20;

// The picture (format ifJpeg), or an empty image when libjpeg refuses the data, when its header declares
// more than kMaxPicturePixels, or when decoding would need more than kMaxJpegMemory or more memory than
// there is.
Image DecodeJpegPicture(std::span<const std::uint8_t> data);

} // namespace qv::skin
