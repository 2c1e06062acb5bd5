// The exception a dispatch member throws to fail its call with a description: Invoke turns it
// into DISP_E_EXCEPTION with an EXCEPINFO that carries the code and the text.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "platform/com/types.h"

namespace com {

class DispatchError : public std::exception {
public:
    // description and source are UTF-8. A success code is reported as E_FAIL.
    DispatchError(HRESULT scode, std::string description, std::string source = {})
        : scode_(FAILED(scode) ? scode : E_FAIL),
          description_(std::move(description)),
          source_(std::move(source)) {}
    HRESULT scode() const { return scode_; }
    const std::string& description() const { return description_; }
    const std::string& source() const { return source_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    HRESULT scode_;
    std::string description_;
    std::string source_;
};

}  // namespace com
