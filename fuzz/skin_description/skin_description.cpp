// The skin description reader on any file, and the splitting of its position and colour values on any
// text: a description is read or refused with AppError, never anything worse.
#include <cstdint>
#include <string>

#include "base/app_error.h"
#include "base/ini_file.h"
#include "common/check.h"
#include "skin/skin_description.h"

namespace {

using namespace qv;

class OneFileStore final : public ini::FileStore {
public:
    std::string bytes;
    ini::FileRead read(const std::wstring&) override { return {ini::ReadStatus::ok, bytes}; }
    void write(const std::wstring&, std::string_view) override {}
};

// What the window takes from a place: its size (the fallbacks are the digit field's).
void use(const skin::SkinPosition& at) {
    volatile int width = at.WidthOr(40);
    volatile int height = at.HeightOr(12);
    (void)width;
    (void)height;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static const ini::Utf8Codec codec;
    OneFileStore store;
    store.bytes.assign(reinterpret_cast<const char*>(data), size);

    const std::wstring text = codec.decode(store.bytes);
    const skin::PositionFields fields = skin::SplitPosition(text);
    FUZZ_CHECK(!fields[0].empty());
    try {
        skin::ParseSkinColor(text);
    } catch (const AppError&) {
    }
    skin::ParseDigitAlign(text);

    try {
        const auto skin = skin::ReadSkinDescription(store, codec, L"C:\\Q\\skin\\F\\f.qvs");
        if (!skin) return 0;
        FUZZ_CHECK(skin->Folder == L"C:\\Q\\skin\\F\\");
        for (const auto& gauge : skin->Gauges) {
            if (!gauge) continue;
            FUZZ_CHECK(gauge->Position.Right && gauge->Position.Bottom);
            use(gauge->Position);
        }
        for (const auto& bar : skin->ProgressBars) {
            if (!bar) continue;
            FUZZ_CHECK(bar->Position.Right && bar->Position.Bottom);
            use(bar->Position);
        }
        for (const auto& button : skin->Buttons) {
            if (button) use(button->Position);
        }
        for (const auto& at : skin->Values) {
            if (at) use(*at);
        }
        skin::CheckSkinFitsWindow(*skin, {221, 108}, {9, 13});
    } catch (const AppError&) {
        // A value the skin cannot use: the skin's error, reported to the user.
    }
    return 0;
}
