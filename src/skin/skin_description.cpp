#include "skin/skin_description.h"

#include "base/app_error.h"
#include "base/ascii.h"
#include "base/ini_file.h"
#include "base/ini_integer.h"

#include <algorithm>

namespace qv::skin {
namespace {

constexpr std::wstring_view kNoBackImage = L"ERROR";

int to_integer(const std::wstring& text) {
    if (auto value = ini::parse_integer(text)) return *value;
    throw AppError(L"'" + text + L"' is not a valid integer value");
}

// A position field: an integer that a window coordinate can be.
int to_coordinate(const std::wstring& text) {
    const int value = to_integer(text);
    if (value < kMinSkinCoordinate || value > kMaxSkinCoordinate) {
        throw AppError(L"'" + text + L"' はスキンの位置として範囲外です");
    }
    return value;
}

std::optional<int> optional_coordinate(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    return to_coordinate(text);
}

// The one read of a description file, served to the INI reader for every key.
class SnapshotStore : public ini::FileStore {
public:
    explicit SnapshotStore(ini::FileRead file) : file_(std::move(file)) {}
    ini::FileRead read(const std::wstring&) override { return file_; }
    void write(const std::wstring& path, std::string_view) override { throw ini::write_error(path); }

private:
    ini::FileRead file_;
};

SkinPosition to_position(const std::wstring& text, bool needs_size) {
    const PositionFields f = SplitPosition(text);
    SkinPosition position;
    position.Left = to_coordinate(f[1]);
    position.Top = to_coordinate(f[2]);
    // A gauge or bar has no size of its own: its Right and Bottom must be there.
    position.Right = needs_size ? to_coordinate(f[3]) : optional_coordinate(f[3]);
    position.Bottom = needs_size ? to_coordinate(f[4]) : optional_coordinate(f[4]);
    return position;
}

class Reader {
public:
    explicit Reader(const ini::IniFile& file) : file_(file) {}
    std::wstring text(std::wstring_view section, const std::wstring& key, std::wstring_view fallback = L"") const {
        return file_.read(section, key, fallback);
    }
    Color color(std::wstring_view section, const std::wstring& key) const { return ParseSkinColor(text(section, key)); }
    // A gauge's or progress bar's place and colours, when the section places one for metric `m`.
    template <typename Spec>
    bool bar(std::wstring_view section, const std::wstring& m, std::optional<Spec>& spec) const {
        const std::wstring position = text(section, m + L".Position");
        if (position.empty()) return false;
        spec.emplace();
        spec->Position = to_position(position, true);
        spec->ForeColor = color(section, m + L".ForeColor");
        spec->ForeColor2 = color(section, m + L".ForeColor2");
        return true;
    }

private:
    const ini::IniFile& file_;
};

} // namespace

PositionFields SplitPosition(std::wstring_view text) {
    PositionFields fields;
    size_t count = 1;
    for (wchar_t c : text) {
        if (c == L',') {
            ++count;
        } else if (count < fields.size()) {
            fields[count] += c;
        }
    }
    fields[0] = std::to_wstring(count);
    return fields;
}

Color ParseSkinColor(std::wstring_view text) {
    if (text.size() != 7) return clKey;
    const std::wstring hex(text.substr(1));
    const auto value = ini::parse_integer(L"$" + hex);
    if (!value) throw AppError(L"'$" + hex + L"' is not a valid integer value");
    const auto rgb = static_cast<std::uint32_t>(*value);
    return MakeColor(rgb >> 16, rgb >> 8, rgb);
}

DigitAlign ParseDigitAlign(std::wstring_view text) {
    if (equals_ignore_case(text, L"left")) return DigitAlign::Left;
    if (equals_ignore_case(text, L"center")) return DigitAlign::Center;
    if (equals_ignore_case(text, L"right")) return DigitAlign::Right;
    return DigitAlign::None;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::optional<SkinDescription> ReadSkinDescription(ini::FileStore& files, const ini::TextCodec& ansi,
                                                   const std::wstring& path) {
    ini::FileRead bytes = files.read(path);
    if (bytes.status != ini::ReadStatus::ok || bytes.bytes.size() > kMaxSkinFileBytes) return std::nullopt;
    SnapshotStore snapshot(std::move(bytes));
    const ini::IniFile file(snapshot, ansi, path);
    const Reader ini(file);
    const std::wstring back_image = ini.text(L"BackImage", L"Image", kNoBackImage);
    if (back_image == kNoBackImage) return std::nullopt;

    SkinDescription skin;
    skin.Folder = FolderOf(file.path());
    for (size_t i = 0; i < kSkinMetrics; ++i) {
        const std::wstring m = kSkinMetricNames[i];
        auto& gauge = skin.Gauges[i];
        if (!ini.bar(L"Gauge", m, gauge)) continue;
        gauge->BackColor = ini.color(L"Gauge", m + L".BackColor");
        gauge->Vertical = equals_ignore_case(ini.text(L"Gauge", m + L".Kind"), L"gkVerticalBar");
    }
    for (int b = 0; b < kSkinButtons; ++b) {
        const std::wstring name = kSkinButtonNames[b];
        const std::wstring position = ini.text(L"Button", name + L".Position");
        if (position.empty()) continue;
        SkinButtonSpec button;
        button.Position = to_position(position, false);
        button.Image = ini.text(L"Button", name + L".Image");
        button.ClickImage = ini.text(L"Button", name + L".ClickImage");
        skin.Buttons[static_cast<size_t>(b)] = button;
    }
    for (size_t i = 0; i < kSkinMetrics; ++i) {
        ini.bar(L"Progress", kSkinMetricNames[i], skin.ProgressBars[i]);
    }
    skin.ValueAlign = ParseDigitAlign(ini.text(L"Value", L"Align", L"right"));
    skin.ValueTransparentColor = ini.color(L"Value", L"TransParentColor");
    for (int i = 0; i < kSkinMetrics; ++i) {
        const std::wstring position = ini.text(L"Value", std::wstring(kSkinMetricNames[i]) + L".Position");
        if (!position.empty()) skin.Values[static_cast<size_t>(i)] = to_position(position, false);
    }
    // Text after a first comma is no part of the file name.
    skin.BackImage = SplitPosition(back_image)[1];
    skin.BackTransparentColor = ini.color(L"BackImage", L"TransParentColor");
    return skin;
}

void CheckSkinFitsWindow(const SkinDescription& skin, Size window, Size digit_cell) {
    auto check = [&](const SkinPosition& at, const std::wstring& key, int width, int height) {
        const bool fits = window.cx > 0 && window.cy > 0
                              ? width <= window.cx && height <= window.cy
                              : std::int64_t{std::max(width, 0)} * std::max(height, 0) <= kMaxPicturePixels;
        if (!fits) {
            throw AppError(key + L" (" + std::to_wstring(at.Left) + L"," + std::to_wstring(at.Top) + L" " +
                           std::to_wstring(width) + L"x" + std::to_wstring(height) +
                           L") はウインドウに収まりません");
        }
    };
    for (size_t i = 0; i < kSkinMetrics; ++i) {
        const std::wstring m = kSkinMetricNames[i];
        if (const auto& gauge = skin.Gauges[i]) {
            check(gauge->Position, L"Gauge/" + m, gauge->Position.WidthOr(0), gauge->Position.HeightOr(0));
        }
        if (const auto& bar = skin.ProgressBars[i]) {
            check(bar->Position, L"Progress/" + m, bar->Position.WidthOr(0), bar->Position.HeightOr(0));
        }
        if (const auto& at = skin.Values[i]) {
            const int cells = ClampToInt(std::int64_t{kDigitCells} * digit_cell.cx);
            check(*at, L"Value/" + m, at->WidthOr(cells), at->HeightOr(digit_cell.cy));
        }
    }
    for (size_t b = 0; b < kSkinButtons; ++b) {
        if (const auto& button = skin.Buttons[b]) {
            check(button->Position, std::wstring(L"Button/") + kSkinButtonNames[b], button->Position.WidthOr(0),
                  button->Position.HeightOr(0));
        }
    }
}

int SkinScaleFactor(int dpi) { return dpi / 96 > 1 ? dpi / 96 : 1; }

SkinDescription ScaledSkin(SkinDescription skin, int factor) {
    if (factor < 2) return skin;
    auto scale = [factor](int value) { return ClampToInt(std::int64_t{value} * factor); };
    auto scale_position = [&](SkinPosition& at) {
        at.Left = scale(at.Left);
        at.Top = scale(at.Top);
        if (at.Right) at.Right = scale(*at.Right);
        if (at.Bottom) at.Bottom = scale(*at.Bottom);
    };
    for (auto& gauge : skin.Gauges) {
        if (gauge) scale_position(gauge->Position);
    }
    for (auto& bar : skin.ProgressBars) {
        if (bar) scale_position(bar->Position);
    }
    for (auto& button : skin.Buttons) {
        if (button) scale_position(button->Position);
    }
    for (auto& value : skin.Values) {
        if (value) scale_position(*value);
    }
    return skin;
}

} // namespace qv::skin
