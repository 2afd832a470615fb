#pragma once
// The system's ANSI code page (CP_ACP): the bytes of INI files written in the system's own encoding.
#include <windows.h>

#include "base/text_codec.h"

namespace qv::win {

class AnsiCodec final : public ini::TextCodec {
public:
    std::wstring decode(std::string_view bytes) const override;
    std::optional<std::string> encode(std::wstring_view text) const override;
};

} // namespace qv::win
