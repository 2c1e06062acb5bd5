#include "platform/runtime/error.h"

#include <new>

#include "platform/text/codepage.h"

namespace runtime {

namespace {

struct ErrorEntry {
    LONG number;
    const char16_t* text;
};

constexpr ErrorEntry kErrorTexts[] = {
    {kErrOverflow, u"Overflow"},
    {kErrOutOfMemory, u"Out of memory"},
    {kErrSubscriptOutOfRange, u"Subscript out of range"},
    {kErrInternal, u"Internal error"},
    {kErrBadFileNameOrNumber, u"Bad file name or number"},
    {kErrFileNotFound, u"File not found"},
    {kErrDeviceIO, u"Device I/O error"},
    {kErrDiskFull, u"Disk full"},
    {kErrTooManyFiles, u"Too many files"},
    {kErrPermissionDenied, u"Permission denied"},
    {kErrPathFileAccess, u"Path/File access error"},
    {kErrPathNotFound, u"Path not found"},
};

constexpr const char16_t* kUnknownErrorText = u"Application-defined or object-defined error";

}  // namespace

Error::Error(LONG number, std::u16string description)
    : number_(number), description_(std::move(description)) {
    try {
        what_ = std::to_string(number_) + " " + text::ToUtf8(description_);
    } catch (...) {
        // what() is only a diagnostic aid; the number and description stay intact.
    }
}

std::u16string ErrorText(LONG number) {
    for (const ErrorEntry& entry : kErrorTexts)
        if (entry.number == number) return entry.text;
    return kUnknownErrorText;
}

void Raise(LONG number) { throw Error(number, ErrorText(number)); }

void Raise(LONG number, std::u16string description) { throw Error(number, std::move(description)); }

Error CurrentError() noexcept {
    try {
        throw;
    } catch (const Error& e) {
        try {
            return e;
        } catch (...) {
        }
    } catch (const std::bad_alloc&) {
        try {
            return Error(kErrOutOfMemory, ErrorText(kErrOutOfMemory));
        } catch (...) {
        }
    } catch (...) {
        try {
            return Error(kErrInternal, ErrorText(kErrInternal));
        } catch (...) {
        }
    }
    // No memory left to describe the error: the number alone.
    return Error(kErrOutOfMemory, std::u16string());
}

}  // namespace runtime
