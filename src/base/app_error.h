#pragma once
// An error that reaches the user: components raise it with the text the user is shown; the top-level
// error report (or the caller) displays it. The text is kept as UTF-16-capable wide text.
#include <exception>
#include <string>

namespace qv {

class AppError : public std::exception {
public:
    explicit AppError(std::wstring text) : text_(std::move(text)) {}
    const std::wstring& text() const noexcept { return text_; }
    const char* what() const noexcept override { return "Quorvane error (see text())"; }

private:
    std::wstring text_;
};

} // namespace qv
