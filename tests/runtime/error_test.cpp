#include "platform/runtime/error.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

TEST(RuntimeError, NumbersCarryTheRuntimesDescriptions) {
    struct Case {
        LONG number;
        const char16_t* text;
    };
    const Case cases[] = {
        {runtime::kErrOverflow, u"Overflow"},
        {runtime::kErrOutOfMemory, u"Out of memory"},
        {runtime::kErrSubscriptOutOfRange, u"Subscript out of range"},
        {runtime::kErrInternal, u"Internal error"},
        {runtime::kErrBadFileNameOrNumber, u"Bad file name or number"},
        {runtime::kErrFileNotFound, u"File not found"},
        {runtime::kErrDeviceIO, u"Device I/O error"},
        {runtime::kErrDiskFull, u"Disk full"},
        {runtime::kErrTooManyFiles, u"Too many files"},
        {runtime::kErrPermissionDenied, u"Permission denied"},
        {runtime::kErrPathFileAccess, u"Path/File access error"},
        {runtime::kErrPathNotFound, u"Path not found"},
        {12345, u"Application-defined or object-defined error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        try {
            runtime::Raise(c.number);
            FAIL() << "no error raised";
        } catch (const runtime::Error& e) {
            EXPECT_EQ(e.Number(), c.number);
            EXPECT_EQ(e.Description(), c.text);
        }
    }
}

TEST(RuntimeError, GivenDescriptionIsKept) {
    try {
        runtime::Raise(1000, u"step failed\r\n");
    } catch (const runtime::Error& e) {
        EXPECT_EQ(e.Number(), 1000);
        EXPECT_EQ(e.Description(), u"step failed\r\n");
        EXPECT_STREQ(e.what(), "1000 step failed\r\n");
    }
}

// A trap sees whatever was thrown as a run-time error with a number.
TEST(RuntimeError, CurrentErrorTurnsAnyExceptionIntoARuntimeError) {
    auto trap = [](auto thrower) {
        try {
            thrower();
        } catch (...) {
            return runtime::CurrentError();
        }
        return runtime::Error(0, u"");
    };
    runtime::Error own = trap([] { runtime::Raise(53, u"mine"); });
    EXPECT_EQ(own.Number(), 53);
    EXPECT_EQ(own.Description(), u"mine");
    EXPECT_EQ(trap([] { throw std::bad_alloc(); }).Number(), runtime::kErrOutOfMemory);
    runtime::Error other = trap([] { throw std::logic_error("x"); });
    EXPECT_EQ(other.Number(), runtime::kErrInternal);
    EXPECT_EQ(other.Description(), u"Internal error");
    EXPECT_EQ(trap([] { throw 42; }).Number(), runtime::kErrInternal);
}

}  // namespace
