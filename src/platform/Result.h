#pragma once

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace dm::platform {

// Why an operation failed, as a text that says what failed and why.
struct Failure {
    std::string error;
};

// What an operation that can fail gives back: its value, or the error text of its failure.
// A result must be looked at; one ignored on purpose is discarded with a (void) cast and a comment.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    // A value that converts to T, such as a derived type's handle.
    template <typename U>
    requires(!std::same_as<std::remove_cvref_t<U>, T> &&
             !std::same_as<std::remove_cvref_t<U>, Failure> && std::convertible_to<U&&, T>)
        Result(U&& value)
        : value_(T(std::forward<U>(value))) {}
    Result(Failure failure) : error_(std::move(failure.error)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Empty when there is a value.
    const std::string& error() const { return error_; }

private:
    std::optional<T> value_;
    std::string error_;
};

// The result of opening something held through an owning pointer (a registry key, a folder, a
// file's bytes): used like the pointer itself, which is null on failure.
template <typename T> class [[nodiscard]] Result<std::unique_ptr<T>> {
public:
    template <typename U>
    requires std::convertible_to<U*, T*> Result(std::unique_ptr<U> value)
        : value_(std::move(value)) {}
    Result(Failure failure) : error_(std::move(failure.error)) {}

    explicit operator bool() const { return value_ != nullptr; }
    T* operator->() const { return value_.get(); }
    T& operator*() const { return *value_; }
    T* get() const { return value_.get(); }
    void reset() { value_.reset(); }
    operator std::unique_ptr<T>() && { return std::move(value_); }
    // Empty when there is a value.
    const std::string& error() const { return error_; }

private:
    std::unique_ptr<T> value_;
    std::string error_;
};

// The outcome of an operation that gives no value: success, or the error text of its failure.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Failure failure) : failed_(true), error_(std::move(failure.error)) {}

    explicit operator bool() const { return !failed_; }
    // Empty on success.
    const std::string& error() const { return error_; }

private:
    bool failed_ = false;
    std::string error_;
};

} // namespace dm::platform
