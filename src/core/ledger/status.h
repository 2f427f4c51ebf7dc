// Outcome of an operation that can fail: success, or a message a treasurer can read.
// The core never throws across its boundary and never prints; callers show the message.
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace quorvel {

class [[nodiscard]] Status {
public:
    static Status Ok() { return Status(); }
    static Status Error(std::string message) { return Status(std::move(message)); }
    // The operation took effect (the journal holds the action, the new month file is written),
    // but a later step failed: the message says what is on disk. Nothing may offer to repeat it.
    static Status TookEffect(std::string message) {
        Status status(std::move(message));
        status.tookEffect_ = true;
        return status;
    }

    bool ok() const { return !message_.has_value(); }
    bool tookEffect() const { return tookEffect_; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const {
        static const std::string empty;
        return message_ ? *message_ : empty;
    }

private:
    Status() = default;
    explicit Status(std::string message) : message_(std::move(message)) {}
    std::optional<std::string> message_;
    bool tookEffect_ = false;
};

// A value or the reason there is none. Reading the value of a failure is a fault of the caller.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)), status_(Status::Ok()) {}
    Result(Status failure) : status_(std::move(failure)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return checked(); }
    T& value() & {
        assert(ok());
        return *value_;
    }
    T&& value() && {
        assert(ok());
        return std::move(*value_);
    }
    const T& operator*() const& { return checked(); }
    const T* operator->() const { return &checked(); }
    const Status& status() const { return status_; }
    const std::string& message() const { return status_.message(); }

private:
    const T& checked() const {
        assert(ok());
        return *value_;
    }
    std::optional<T> value_;
    Status status_;
};

}  // namespace quorvel
