#pragma once
#include "base/files.h"

#include <optional>
#include <utility>

namespace sonaplex {

// What a call that may fail gives back: its value, or the failure that kept it from one (a
// FileResult, with its cause). One shape, so that no caller has to look for the failure in an
// out-parameter, a magic value or a second call.
template <class T> class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    // `failure` is one (ok is false): a result made of it holds no value.
    Result(FileResult failure) : failure_(std::move(failure)) { failure_.ok = false; }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    // The value; only when ok().
    const T& value() const& { return *value_; }
    T& value() & { return *value_; }
    T&& value() && { return std::move(*value_); }
    // Why there is no value; a success when there is one.
    const FileResult& failure() const { return failure_; }

private:
    std::optional<T> value_;
    FileResult failure_ = FileResult::success();
};

} // namespace sonaplex
