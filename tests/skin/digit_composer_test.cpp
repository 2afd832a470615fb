#include "skin/digit_composer.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

namespace qv::skin {
namespace {

constexpr Color kClear = 0x00FF00;

// Digit d is a w x 2 picture of the colour d + 1, so a composed row can be read back as digits.
DigitPictures digits(int w) {
    DigitPictures pictures;
    for (int d = 0; d <= 9; ++d) pictures.Digits.push_back(Image::Filled(w, 2, static_cast<Pixel>(d + 1)));
    pictures.CellWidth = w;
    pictures.CellHeight = 2;
    return pictures;
}

// The top row, one character a pixel: the digit drawn there, or "." where the field is see-through.
std::string row(const Image& image) {
    std::string text;
    for (int x = 0; x < image.Width(); ++x) {
        const Pixel p = image.Pixels().At(x, 0);
        text += p == ToPixel(kClear) ? '.' : static_cast<char>('0' + p - 1);
    }
    return text;
}

TEST(ComposeDigits, AnyFailureOfADigitPictureEndsTheListAndNothingMore) {
    auto loader = [](int fails_at, auto error) {
        return [=](int digit) -> Image {
            if (digit == fails_at) throw error;
            return Image::Filled(digit + 1, 2, 0);
        };
    };
    const DigitPictures partial = LoadDigitPictures(loader(3, std::bad_alloc()));
    EXPECT_EQ(partial.Digits.size(), 3u);
    EXPECT_EQ(partial.CellWidth, 3);  // the last one loaded
    EXPECT_TRUE(LoadDigitPictures(loader(0, std::length_error("too long"))).Digits.empty());
    EXPECT_EQ(LoadDigitPictures(loader(10, 0)).Digits.size(), 10u);
}

TEST(ComposeDigits, AlignsIntoThreeCells) {
    const DigitPictures w2 = digits(2);
    EXPECT_EQ(row(ComposeDigits(7, w2, DigitAlign::Right, kClear)), "....77");
    EXPECT_EQ(row(ComposeDigits(7, w2, DigitAlign::Left, kClear)), "77....");
    EXPECT_EQ(row(ComposeDigits(7, w2, DigitAlign::Center, kClear)), "..77..");
    EXPECT_EQ(row(ComposeDigits(1234, w2, DigitAlign::Right, kClear)), "223344");
    EXPECT_EQ(row(ComposeDigits(1234, w2, DigitAlign::Left, kClear)), "112233");
    EXPECT_EQ(row(ComposeDigits(42, w2, DigitAlign::None, kClear)), "......");

    // Half a cell of 9 pixels rounds to the even 4: 4 from x 4, 2 from x 13.
    const Image centred = ComposeDigits(42, digits(9), DigitAlign::Center, kClear);
    EXPECT_EQ(row(centred), "....444444444222222222.....");
    EXPECT_EQ(centred.Height(), 2);
}

TEST(ComposeDigits, MissingPicturesAndSignsLeaveTheirCellsClear) {
    DigitPictures some = digits(1);
    some.Digits.resize(5);  // 5.bmp could not be read: 5 to 9 are missing
    EXPECT_EQ(row(ComposeDigits(456, some, DigitAlign::Right, kClear)), "4..");
    EXPECT_EQ(row(ComposeDigits(-3, some, DigitAlign::Right, kClear)), "..3");
    EXPECT_EQ(ComposeDigits(7, DigitPictures{}, DigitAlign::Right, kClear).Width(), 0);
}

} // namespace
} // namespace qv::skin
