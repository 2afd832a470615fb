#pragma once
// A skin's description file (".qvs", an INI file beside the skin's pictures) read into plain values:
// the background picture, and per metric (Mem, Swap, CPU, Sys, User, GDI) an optional gauge, progress
// bar and digit field, per command (Setting, Exit, Min, Defrag) an optional click area. Building the
// window from it is the main window's business; nothing here loads a picture.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "skin/color.h"
#include "skin/pixel_buffer.h"

namespace qv::ini {
class FileStore;
class TextCodec;
} // namespace qv::ini

namespace qv::skin {

inline constexpr int kSkinMetrics = 6;
inline constexpr int kSkinButtons = 4;
// A digit field holds three digits.
inline constexpr int kDigitCells = 3;
// Key prefixes, in slot order.
inline constexpr const wchar_t* kSkinMetricNames[kSkinMetrics] = {L"Mem", L"Swap", L"CPU", L"Sys", L"User", L"GDI"};
inline constexpr const wchar_t* kSkinButtonNames[kSkinButtons] = {L"Setting", L"Exit", L"Min", L"Defrag"};

// Comma-separated fields, blanks kept: [0] the number of fields as decimal text, [1]..[9] the fields
// (empty when absent). Fields after the ninth are dropped.
using PositionFields = std::array<std::wstring, 10>;
PositionFields SplitPosition(std::wstring_view text);

// "#RRGGBB" (seven characters, the first not examined) as 0x00BBGGRR; any other length gives the key
// colour (magenta). Raises AppError when the six characters are not hexadecimal.
Color ParseSkinColor(std::wstring_view text);

// A place in the window's client coordinates; Right and Bottom only where the text gave them.
struct SkinPosition {
    int Left = 0;
    int Top = 0;
    std::optional<int> Right;
    std::optional<int> Bottom;

    // Right - Left (Bottom - Top) when given, else the fallback; held to the range of int.
    int WidthOr(int fallback) const { return Right ? ClampToInt(std::int64_t{*Right} - Left) : fallback; }
    int HeightOr(int fallback) const { return Bottom ? ClampToInt(std::int64_t{*Bottom} - Top) : fallback; }
};

// A progress bar, and what a gauge has in common with it.
struct SkinProgressSpec {
    SkinPosition Position;  // all four fields
    Color ForeColor = clKey;
    Color ForeColor2 = clKey;
};

struct SkinGaugeSpec : SkinProgressSpec {
    Color BackColor = clKey;
    bool Vertical = false;
};

struct SkinButtonSpec {
    SkinPosition Position;
    std::wstring Image;       // empty: an invisible click area
    std::wstring ClickImage;  // empty: the normal picture
};

enum class DigitAlign { Left, Center, Right, None };
// "left", "center", "right" in any letter case; anything else places no digit.
DigitAlign ParseDigitAlign(std::wstring_view text);

struct SkinDescription {
    std::wstring Folder;  // the description file's folder with its trailing backslash
    std::wstring BackImage;  // file name, relative to Folder
    Color BackTransparentColor = clKey;
    std::array<std::optional<SkinGaugeSpec>, kSkinMetrics> Gauges;
    std::array<std::optional<SkinButtonSpec>, kSkinButtons> Buttons;
    std::array<std::optional<SkinProgressSpec>, kSkinMetrics> ProgressBars;
    DigitAlign ValueAlign = DigitAlign::Right;
    Color ValueTransparentColor = clKey;
    std::array<std::optional<SkinPosition>, kSkinMetrics> Values;

    std::wstring PathOf(const std::wstring& file) const { return Folder + file; }
};

// A description is a few kilobytes; a larger file is no skin.
inline constexpr size_t kMaxSkinFileBytes = size_t{1} << 20;
// Position fields are window coordinates: anything outside this range is the skin's error.
inline constexpr int kMinSkinCoordinate = -32768;
inline constexpr int kMaxSkinCoordinate = 32767;

// Reads the description, the file read once. Nothing when the file is no skin: it (or its
// "BackImage"/"Image" key) is missing, that value is "ERROR", or the file is larger than
// kMaxSkinFileBytes. Raises AppError for a value that cannot be used: a position field that is not an
// integer or lies outside the coordinate range, a gauge or progress bar without Right and Bottom, a
// colour that is not hex.
std::optional<SkinDescription> ReadSkinDescription(ini::FileStore& files, const ini::TextCodec& ansi,
                                                   const std::wstring& path);

// Raises AppError naming the first element larger than the window, which takes the background
// picture's size (digit fields without a size of their own are three `digit_cell`s wide). A window
// without a picture has no size to measure against: an element then only may not be larger than any
// picture can be.
void CheckSkinFitsWindow(const SkinDescription& skin, Size window, Size digit_cell);

// The whole factor a skin is enlarged by on a display of `dpi` pixels an inch: 2 at 192, but 1 at 144,
// where enlarging pictures would blur them.
int SkinScaleFactor(int dpi);
// The description with every position multiplied by `factor` (for the pictures enlarged by it).
SkinDescription ScaledSkin(SkinDescription skin, int factor);

// The folder part of a path, up to and including its last backslash (or slash).
std::wstring FolderOf(const std::wstring& path);

} // namespace qv::skin
