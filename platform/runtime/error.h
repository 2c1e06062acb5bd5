// Run-time errors of the form-and-automation runtime: a number and a description, raised by a
// failing statement and caught by the trap (a catch block) of the step that armed one. A trap
// that is not armed lets the error travel on to the caller.
#pragma once

#include <exception>
#include <string>

#include "platform/com/types.h"

namespace runtime {

// The runtime's own error numbers.
inline constexpr LONG kErrOverflow = 6;
inline constexpr LONG kErrOutOfMemory = 7;
inline constexpr LONG kErrSubscriptOutOfRange = 9;
inline constexpr LONG kErrInternal = 51;
inline constexpr LONG kErrBadFileNameOrNumber = 52;
inline constexpr LONG kErrFileNotFound = 53;
inline constexpr LONG kErrDeviceIO = 57;
inline constexpr LONG kErrDiskFull = 61;
inline constexpr LONG kErrTooManyFiles = 67;
inline constexpr LONG kErrPermissionDenied = 70;
inline constexpr LONG kErrPathFileAccess = 75;
inline constexpr LONG kErrPathNotFound = 76;

class Error : public std::exception {
public:
    Error(LONG number, std::u16string description);
    LONG Number() const noexcept { return number_; }
    const std::u16string& Description() const noexcept { return description_; }
    // The number and description as UTF-8, for diagnostics.
    const char* what() const noexcept override { return what_.c_str(); }

private:
    LONG number_;
    std::u16string description_;
    std::string what_;
};

// The runtime's description of one of its error numbers (a generic text for any other number).
std::u16string ErrorText(LONG number);

// Raises an error with the runtime's description of the number, or with the given description.
[[noreturn]] void Raise(LONG number);
[[noreturn]] void Raise(LONG number, std::u16string description);

// Only inside a catch block: the error in flight as a run-time error. Exceptions that are not
// run-time errors become one (out of memory -> 7, anything else -> 51).
Error CurrentError() noexcept;

}  // namespace runtime
