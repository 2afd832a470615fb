#include "skin/win32/picture_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <jpeglib.h>

#include "base/win32/unique_handle.h"
#include "skin/win32/skin_test_support.h"
#include "support/win32/bitmap_file.h"
#include "support/win32/files.h"
#include "support/win32/process_resources.h"

namespace qv::skin::win {
namespace {

// A JPEG file of one colour, made with libjpeg.
std::string SolidJpeg(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, bool progressive = false) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    for (int x = 0; x < width; ++x) {
        row[x * 3] = r;
        row[x * 3 + 1] = g;
        row[x * 3 + 2] = b;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(out), size);
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

// The same JPEG data under a frame header that declares another size.
std::string WithDeclaredSize(std::string jpeg, std::uint16_t width, std::uint16_t height) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height & 0xFF);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

PictureFileError::Kind FailureOf(const std::filesystem::path& file) {
    try {
        LoadPictureFile(file.wstring());
    } catch (const PictureFileError& e) {
        return e.kind();
    }
    ADD_FAILURE() << "loaded";
    return PictureFileError::CannotOpen;
}

struct PictureFileFixture : ::testing::Test {
    std::filesystem::path Write(const wchar_t* name, const std::string& bytes) {
        const auto path = folder.path() / name;
        test::write_file(path, bytes);
        return path;
    }
    test::TempFolder folder{L"qv-pictures"};
};

TEST_F(PictureFileFixture, TrueColourBitmapKeepsItsPixels) {
    PixelBuffer pixels(5, 3, 0x112233);
    pixels.Set(0, 0, 0xFF0000);
    pixels.Set(4, 2, 0x00FF00);
    const Image image = LoadPictureFile(Write(L"a.bmp", test::BmpFile(pixels)).wstring());
    EXPECT_EQ(image.PictureFormat(), Image::ifBitmap);
    ASSERT_EQ(image.Pixels().Extent(), (Size{5, 3}));
    EXPECT_FALSE(image.HasPalette());
    EXPECT_EQ(image.Pixels().At(0, 0), 0xFF0000u);
    EXPECT_EQ(image.Pixels().At(4, 2), 0x00FF00u);
    EXPECT_EQ(image.BottomLeft(), 0x112233u);
}

TEST_F(PictureFileFixture, PaletteBitmapsKeepTheirIndices) {
    // Entries 0 and 2 hold the same colour; each stays its own index.
    const std::vector<std::uint32_t> palette = {0xFF00FF, 0x0000FF, 0xFF00FF, 0x00FF00};
    const std::vector<std::uint8_t> indices = {0, 1, 2, 3, 3, 2, 1, 0};
    for (int bits : {4, 8}) {
        std::vector<std::uint32_t> full = palette;
        full.resize(static_cast<std::size_t>(1) << bits, 0);
        const Image image = LoadPictureFile(Write(L"p.bmp", test::PaletteBmpFile(4, 2, bits, full, indices)).wstring());
        ASSERT_TRUE(image.HasPalette()) << bits;
        EXPECT_EQ(image.KeyAt(0, 0), 0u);
        EXPECT_EQ(image.KeyAt(2, 0), 2u);
        EXPECT_EQ(image.KeyAt(3, 1), 0u);
        EXPECT_EQ(image.Pixels().At(2, 0), 0xFF00FFu);
        EXPECT_EQ(image.Pixels().At(1, 0), 0x0000FFu);
    }
}

TEST_F(PictureFileFixture, JpegPicturesDecode) {
    const Image progressive = LoadPictureFile(Write(L"p.jpg", SolidJpeg(300, 200, 9, 9, 9, true)).wstring());
    EXPECT_EQ(progressive.Pixels().Extent(), (Size{300, 200}));
    const Image image = LoadPictureFile(Write(L"j.jpg", SolidJpeg(17, 9, 200, 40, 90)).wstring());
    EXPECT_EQ(image.PictureFormat(), Image::ifJpeg);
    ASSERT_EQ(image.Pixels().Extent(), (Size{17, 9}));
    const Pixel p = image.Pixels().At(8, 4);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 200, 4);
    EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 40, 4);
    EXPECT_NEAR(static_cast<int>(p & 0xFF), 90, 4);
}

TEST_F(PictureFileFixture, UnreadableAndForeignFilesAreToldApart) {
    const std::string jpeg = SolidJpeg(64, 64, 1, 2, 3);
    const std::string bitmap = test::BmpFile(PixelBuffer(50, 40, 0x123456));
    struct Case {
        const wchar_t* name;
        std::string bytes;
        PictureFileError::Kind kind;
    };
    const Case cases[] = {
        {L"text.bmp", "just some text", PictureFileError::NotAPicture},
        {L"empty.jpg", "", PictureFileError::NotAPicture},
        // Damaged files must come back as errors, not end the program.
        {L"cut.jpg", jpeg.substr(0, 40), PictureFileError::NotAPicture},
        {L"noise.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + std::string(300, '\x55'), PictureFileError::NotAPicture},
        {L"cut.bmp", std::string("BM") + std::string(20, '\0'), PictureFileError::NotAPicture},
        {L"cut-rows.bmp", bitmap.substr(0, bitmap.size() / 2), PictureFileError::NotAPicture},
        // Sizes no window background needs, told by the header alone: one the program could still hold,
        // and one that would wrap a 32-bit size.
        {L"large.bmp", test::rle_bitmap_declaring(6000, 6000), PictureFileError::NotAPicture},
        {L"huge.bmp", test::rle_bitmap_declaring(30000, -30000), PictureFileError::NotAPicture},
        {L"wide.bmp", test::rle_bitmap_declaring(65536, 65537), PictureFileError::NotAPicture},
        {L"huge.jpg", WithDeclaredSize(jpeg, 65000, 65000), PictureFileError::NotAPicture},
    };
    for (const Case& c : cases) EXPECT_EQ(FailureOf(Write(c.name, c.bytes)), c.kind) << c.name;
    EXPECT_EQ(FailureOf(folder.path() / L"missing.bmp"), PictureFileError::CannotOpen);
}

TEST_F(PictureFileFixture, AnOversizedJpegIsRefusedBeforeLibjpegMakesRoomForIt) {
    // A progressive file keeps every coefficient until its last scan: 8000 x 6000 declared pixels would
    // take some 140 MB, zeroed as the short data runs out.
    const auto file = Write(L"large.jpg", WithDeclaredSize(SolidJpeg(64, 64, 1, 2, 3, true), 8000, 6000));
    const auto before = test::process_memory(::GetCurrentProcess());
    ASSERT_TRUE(before);
    EXPECT_EQ(FailureOf(file), PictureFileError::NotAPicture);
    const auto after = test::process_memory(::GetCurrentProcess());
    ASSERT_TRUE(after);
    // The peak never falls: earlier tests of this process may have raised it past the margin already.
    EXPECT_LE(after->peak_working_set, std::max(before->peak_working_set, before->working_set + (32u << 20)));
}

TEST(ImageFromBitmapTest, DeviceBitmapsBecomeColours) {
    qv::win::WindowDC screen(nullptr);
    qv::win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 3, 2));
    {
        qv::win::UniqueMemoryDC dc(::CreateCompatibleDC(screen.get()));
        qv::win::SelectGuard selected(dc.get(), bitmap.get());
        ::SetPixel(dc.get(), 1, 1, RGB(10, 20, 30));
    }
    const Image image = ImageFromBitmap(bitmap.get());
    EXPECT_FALSE(image.HasPalette());
    EXPECT_EQ(image.Pixels().At(1, 1), 0x0A141Eu);
    EXPECT_TRUE(ImageFromBitmap(nullptr).Empty());
}

} // namespace
} // namespace qv::skin::win
