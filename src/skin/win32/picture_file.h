#pragma once
// Pictures from files: Windows bitmaps (through the system's loader, any depth it reads) and JPEG files
// (libjpeg), told apart by their first bytes. Bitmaps with a palette keep each pixel's palette index.
#include <windows.h>

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "skin/image.h"

namespace qv::skin::win {

// Why a picture could not be loaded; the caller chooses the message (background, button...).
class PictureFileError : public std::runtime_error {
public:
    enum Kind { CannotOpen, NotAPicture };
    PictureFileError(Kind kind, const char* what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

// Throws PictureFileError: CannotOpen when the file cannot be read, NotAPicture when it is neither a
// Windows bitmap nor a JPEG picture (or is damaged).
Image LoadPictureFile(const std::wstring& path);

// The picture of a GDI bitmap: bitmaps of 1, 4 or 8 bits a pixel keep their palette indices, every
// other kind becomes plain colours. An invalid handle gives an empty image.
Image ImageFromBitmap(HBITMAP bitmap);

// A JPEG picture from memory; throws PictureFileError (NotAPicture) for data libjpeg refuses.
Image DecodeJpeg(std::span<const std::uint8_t> data);

} // namespace qv::skin::win
