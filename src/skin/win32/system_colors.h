#pragma once
// The system colours of the running Windows.
#include <windows.h>

#include "skin/color.h"

namespace qv::skin::win {

class Win32SystemColors final : public SystemColors {
public:
    Color SysColor(int index) const override { return ::GetSysColor(index); }
};

// A colour ready for GDI: system colours resolved, the top byte cleared.
inline COLORREF ToColorRef(Color color) { return Win32SystemColors().Resolve(color); }

} // namespace qv::skin::win
