// What an operation that can fail gives back: a value or a failure's text (Result, Status).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace dm::platform {

// What kind of failure it was, for a caller that acts on it (a missing file is a first start,
// a damaged one is left as it is).
enum class ErrorKind {
    NotFound, // what was named is not there
    Refused,  // it is there but may not be used so: permissions, read-only, a link, a limit
    Damaged,  // its contents are not what they must be: they do not parse
    Failed,   // anything else, such as an input/output error
};

// Why an operation failed: a text that says what failed and why, and its kind.
struct Failure {
    std::string error;
    ErrorKind kind = ErrorKind::Failed;

    static Failure notFound(std::string error) { return {std::move(error), ErrorKind::NotFound}; }
    static Failure refused(std::string error) { return {std::move(error), ErrorKind::Refused}; }
    static Failure damaged(std::string error) { return {std::move(error), ErrorKind::Damaged}; }
};

// What an operation that can fail gives back: its value, or its failure.
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
    Result(Failure failure) : error_(std::move(failure.error)), kind_(failure.kind) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Empty when there is a value.
    const std::string& error() const { return error_; }
    // nullopt when there is a value.
    std::optional<ErrorKind> kind() const { return value_ ? std::nullopt : std::optional(kind_); }
    // The failure, to pass on; only after one.
    Failure failure() const { return {error_, kind_}; }

private:
    std::optional<T> value_;
    std::string error_;
    ErrorKind kind_ = ErrorKind::Failed;
};

// The result of opening something held through an owning pointer (a registry key, a folder, a
// file's bytes): used like the pointer itself, which is null on failure.
template <typename T> class [[nodiscard]] Result<std::unique_ptr<T>> {
public:
    template <typename U>
    requires std::convertible_to<U*, T*> Result(std::unique_ptr<U> value)
        : value_(std::move(value)) {}
    Result(Failure failure) : error_(std::move(failure.error)), kind_(failure.kind) {}

    explicit operator bool() const { return value_ != nullptr; }
    T* operator->() const { return value_.get(); }
    T& operator*() const { return *value_; }
    T* get() const { return value_.get(); }
    void reset() { value_.reset(); }
    operator std::unique_ptr<T>() && { return std::move(value_); }
    // Empty when there is a value.
    const std::string& error() const { return error_; }
    // nullopt when there is a value.
    std::optional<ErrorKind> kind() const { return value_ ? std::nullopt : std::optional(kind_); }
    // The failure, to pass on; only after one.
    Failure failure() const { return {error_, kind_}; }

private:
    std::unique_ptr<T> value_;
    std::string error_;
    ErrorKind kind_ = ErrorKind::Failed;
};

// The outcome of an operation that gives no value: success, or its failure.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Failure failure) : kind_(failure.kind), error_(std::move(failure.error)) {}

    explicit operator bool() const { return !kind_; }
    // Empty on success.
    const std::string& error() const { return error_; }
    // nullopt on success.
    std::optional<ErrorKind> kind() const { return kind_; }
    // The failure, to pass on; only after one.
    Failure failure() const { return {error_, kind_.value_or(ErrorKind::Failed)}; }

private:
    std::optional<ErrorKind> kind_;
    std::string error_;
};

} // namespace dm::platform
