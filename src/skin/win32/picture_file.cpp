#include "skin/win32/picture_file.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

#include "base/win32/unique_handle.h"
#include "skin/jpeg_decoder.h"

namespace qv::skin::win {
namespace {

constexpr LONGLONG kMaxFileSize = 64LL << 20;

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path) {
    qv::win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw PictureFileError(PictureFileError::CannotOpen, "cannot open the picture file");
    // GetFileSize rather than GetFileSizeEx, which the 95 family lacks.
    DWORD high = 0;
    const DWORD low = ::GetFileSize(file.get(), &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) {
        throw PictureFileError(PictureFileError::CannotOpen, "cannot read the picture file");
    }
    const LONGLONG size = (static_cast<LONGLONG>(high) << 32) | low;
    if (size > kMaxFileSize) throw PictureFileError(PictureFileError::NotAPicture, "picture file too large");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - done);
        if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
            throw PictureFileError(PictureFileError::CannotOpen, "cannot read the picture file");
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

Pixel FromQuad(const RGBQUAD& q) {
    return (static_cast<Pixel>(q.rgbRed) << 16) | (static_cast<Pixel>(q.rgbGreen) << 8) | q.rgbBlue;
}

Image LoadPictureBytes(const std::wstring& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        // Its headers are judged before the system's loader makes room for its pixels: a run-length file
        // of a kilobyte can declare gigabytes of them, and a cut-off file ends before its rows do.
        if (!ReadBitmapFileHeader(bytes)) {
            throw PictureFileError(PictureFileError::NotAPicture, "not a usable Windows bitmap");
        }
        qv::win::UniqueBitmap bitmap(static_cast<HBITMAP>(
            ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        if (!bitmap) throw PictureFileError(PictureFileError::NotAPicture, "not a Windows bitmap");
        Image image = ImageFromBitmap(bitmap.get());
        if (image.Empty()) throw PictureFileError(PictureFileError::NotAPicture, "not a Windows bitmap");
        return image;
    }
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return DecodeJpeg(bytes);
    throw PictureFileError(PictureFileError::NotAPicture, "not a picture format");
}

} // namespace

Image ImageFromBitmap(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(bm), &bm)) return {};
    const int width = bm.bmWidth, height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    if (width <= 0 || height <= 0) return Image::Filled(width, height, 0);
    if (!PictureSizeAllowed(width, height)) return {};
    qv::win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc) return {};

    const int bits = bm.bmBitsPixel * bm.bmPlanes;
    if (bits <= 8) {
        // Asked at their own depth, palette bitmaps give their own colour table and their indices.
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } info{};
        info.header.biSize = sizeof(info.header);
        info.header.biWidth = width;
        info.header.biHeight = -height;
        info.header.biPlanes = 1;
        info.header.biBitCount = static_cast<WORD>(bits);
        info.header.biCompression = BI_RGB;
        const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
        std::vector<std::uint8_t> rows(stride * height);
        if (!::GetDIBits(dc.get(), bitmap, 0, height, rows.data(), reinterpret_cast<BITMAPINFO*>(&info),
                         DIB_RGB_COLORS)) {
            return {};
        }
        Pixel palette[256];
        for (int i = 0; i < 256; ++i) palette[i] = FromQuad(info.colors[i]);
        return ImageFromPaletteRows(rows, stride, width, height, bits, palette);
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    PixelBuffer pixels(width, height);
    if (!::GetDIBits(dc.get(), bitmap, 0, height, pixels.Row(0), &info, DIB_RGB_COLORS)) return {};
    for (int y = 0; y < height; ++y) {
        Pixel* row = pixels.Row(y);
        for (int x = 0; x < width; ++x) row[x] &= 0xFFFFFF;
    }
    return Image(std::move(pixels), Image::ifBitmap);
}

Image DecodeJpeg(std::span<const std::uint8_t> data) {
    Image image = DecodeJpegPicture(data);
    if (image.Empty()) throw PictureFileError(PictureFileError::NotAPicture, "not a JPEG picture");
    return image;
}

Image LoadPictureFile(const std::wstring& path) {
    try {
        return LoadPictureBytes(path);
    } catch (const std::bad_alloc&) {
        // A picture too large for the memory there is, is no picture this program can show.
        throw PictureFileError(PictureFileError::NotAPicture, "picture too large");
    } catch (const std::length_error&) {
        throw PictureFileError(PictureFileError::NotAPicture, "picture too large");
    }
}

} // namespace qv::skin::win
