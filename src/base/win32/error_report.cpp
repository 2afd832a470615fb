#include "base/win32/error_report.h"

#include "base/app_error.h"
#include "base/win32/text.h"

namespace qv::win {

std::wstring describe_exception(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const AppError& e) {
        return e.text();
    } catch (const std::exception& e) {
        return ansi_to_wide(e.what());
    } catch (...) {
        return L"Unknown error";
    }
}

void report_current_exception(HWND owner) noexcept {
    try {
        std::wstring text = describe_exception(std::current_exception());
        ::MessageBoxW(owner, text.c_str(), L"Quorvane", MB_OK | MB_ICONSTOP);
    } catch (...) {
        // Nothing more can be done: out of memory while reporting.
    }
}

} // namespace qv::win
