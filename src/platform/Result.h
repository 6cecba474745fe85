#pragma once

#include <optional>
#include <string>
#include <utility>

namespace dm::platform {

// Why an operation failed, as a text that says what failed and why.
struct Failure {
    std::string error;
};

// What an operation that can fail gives back: its value, or the error text of its failure.
template <typename T> class Result {
public:
    Result(T value) : value_(std::move(value)) {}
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

// The outcome of an operation that gives no value: success, or the error text of its failure.
class Status {
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
