// A Windows bitmap file's headers, as judged before the system's loader sees the file, and palette rows
// unpacked as the program unpacks what the loader made of them: nothing is read outside the bytes, what is
// accepted fits the picture cap, and an uncompressed file holds every row its headers declare.
#include <cstdint>
#include <span>
#include <vector>

#include "common/check.h"
#include "skin/image.h"

namespace {

using namespace qv::skin;

void CheckPaletteRows(std::span<const std::uint8_t> file, const BitmapFileHeader& header) {
    // The system's loader gives whole padded rows; a file may end without the last one's padding.
    const auto stride = static_cast<std::size_t>(header.Stride());
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(header.Height));
    const std::size_t available = file.size() - header.PixelOffset;
    for (std::size_t i = 0; i < rows.size() && i < available; ++i) rows[i] = file[header.PixelOffset + i];
    Pixel palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = static_cast<Pixel>(i) * 0x010101;
    const Image image = ImageFromPaletteRows(rows, stride, header.Width, header.Height, header.BitCount, palette);
    if (header.Width == 0 || header.Height == 0) {
        FUZZ_CHECK(image.Empty());
        return;
    }
    FUZZ_CHECK(image.Width() == header.Width && image.Height() == header.Height && image.HasPalette());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t index = image.KeyAt(x, y);
            FUZZ_CHECK(index < (1u << header.BitCount) && image.Pixels().At(x, y) == palette[index]);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const auto header = ReadBitmapFileHeader(file);
    if (!header) return 0;
    FUZZ_CHECK(header->Width >= 0 && header->Height >= 0 && PictureSizeAllowed(header->Width, header->Height));
    FUZZ_CHECK(header->PixelOffset <= size);
    if (header->Compression == BitmapFileHeader::RGB || header->Compression == BitmapFileHeader::BitFields) {
        // Every declared row is in the file; only the last one may go without its padding.
        const std::uint64_t last_row = (std::uint64_t(header->Width) * header->BitCount + 7) / 8;
        const std::uint64_t rows = header->Height == 0 ? 0 : std::uint64_t(header->Stride()) * (header->Height - 1) + last_row;
        FUZZ_CHECK(rows <= size - header->PixelOffset);
    }
    if (header->Compression == BitmapFileHeader::RGB && header->BitCount <= 8) CheckPaletteRows(file, *header);
    return 0;
}
