#pragma once
// A move-only owner of a handle, parameterised by its close function and its invalid value. The
// Windows handle kinds have their aliases in base/win32/unique_handle.h.
#include <cstdint>
#include <type_traits>
#include <utility>

namespace qv {

// The invalid value is given as an integer: pointer-typed handles such as INVALID_HANDLE_VALUE (-1)
// cannot be template arguments themselves.
template <typename T, auto Close, std::intptr_t InvalidValue = 0>
class UniqueHandle {
    static T invalid() noexcept {
        if constexpr (std::is_pointer_v<T>) {
            return reinterpret_cast<T>(InvalidValue);
        } else {
            return static_cast<T>(InvalidValue);
        }
    }

public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T value) noexcept : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != invalid(); }
    T release() noexcept { return std::exchange(value_, invalid()); }
    void reset() noexcept { reset(invalid()); }
    void reset(T value) noexcept {
        T old = std::exchange(value_, value);
        if (old != invalid()) Close(old);
    }

private:
    T value_ = invalid();
};

} // namespace qv
