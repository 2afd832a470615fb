#include "settings/win32/settings_dialog_pages.h"

namespace qv::settings::win32 {

void TDesignPage::WriteBack(TRegManager& RM, const DialogValues& values) {
    RM.Filer(L"TransFlag").WriteBool(values.TransFlag);
}

} // namespace qv::settings::win32
