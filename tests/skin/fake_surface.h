#pragma once
// A host for windowless controls without a platform: a pixel surface, text in fixed cells, a table of
// system colours, and a screen that records what it was asked to show.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "skin/graphic_host.h"

namespace qv::test {

// Every character is a cell of CellWidth (or half the font's height, rounded up, when CellWidth is 0) x
// (CellHeight, or the font's height) fully covered pixels.
class FakeText final : public skin::TextRenderer {
public:
    skin::Size Measure(const skin::Font& font, std::wstring_view text) override {
        const int font_height = font.Height < 0 ? -font.Height : font.Height;
        const int height = CellHeight > 0 ? CellHeight : font_height;
        const int width = CellWidth > 0 ? CellWidth : (font_height + 1) / 2;
        return {static_cast<int>(text.size()) * width, text.empty() ? 0 : height};
    }
    std::shared_ptr<const skin::PixelBuffer> Render(const skin::Font& font, std::wstring_view text) override {
        rendered.emplace_back(text);
        fonts.push_back(font);
        const skin::Size size = Measure(font, text);
        return std::make_shared<const skin::PixelBuffer>(size.cx, size.cy, 0xFFFFFF);
    }

    int CellWidth = 6;
    int CellHeight = 0;
    std::vector<std::wstring> rendered;
    std::vector<skin::Font> fonts;
};

class FakeColors final : public skin::SystemColors {
public:
    skin::Color SysColor(int index) const override {
        const auto it = table.find(index);
        return it != table.end() ? it->second : 0x101010u * static_cast<unsigned>(index % 16);
    }
    std::map<int, skin::Color> table{{5, 0xFFFFFF}, {15, 0xC0C0C0}, {16, 0x808080}, {20, 0xFFFFFF}, {13, 0x800000}};
};

class FakeScreen final : public skin::HostScreen {
public:
    void Present(const skin::Rect& area) override { presented.push_back(area); }
    void Schedule(const skin::Rect& area) override { scheduled.push_back(area); }
    void SetMouseCapture(bool capture) override { captured = capture; }
    void ShowError(const std::wstring& text) override { errors.push_back(text); }

    std::vector<skin::Rect> presented;
    std::vector<skin::Rect> scheduled;
    std::vector<std::wstring> errors;
    bool captured = false;
};

// A host with a surface of the given size, background `background` (an RGB colour).
struct FakeSurface {
    FakeSurface(int width, int height, skin::Color background = 0x00FF00) : pixels(width, height) {
        host.SetSurface(&pixels);
        host.SetColor(background);
        host.Paint(pixels.Bounds());
    }
    // Paints everything anew, as a window's paint message would.
    void PaintAll() { host.Paint(pixels.Bounds()); }
    skin::Pixel At(int x, int y) const { return pixels.At(x, y); }
    // The colour of pixel (x, y) in the program's layout, for comparing with Color values.
    skin::Color ColorAt(int x, int y) const { return skin::ToColor(pixels.At(x, y)); }
    void Clear() {
        screen.presented.clear();
        screen.scheduled.clear();
    }

    skin::PixelBuffer pixels;
    FakeText text;
    FakeColors colors;
    FakeScreen screen;
    skin::GraphicHost host{text, colors, screen};
};

} // namespace qv::test
