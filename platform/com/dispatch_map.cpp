#include "platform/com/dispatch_map.h"

#include <new>

#include "platform/text/codepage.h"

namespace com::dispatch_detail {

std::string ToAnsi(BSTR text) { return text::ToAnsi(text::View(text)); }

bool NameEquals(const OLECHAR* name, std::string_view ascii) {
    auto fold = [](char16_t c) -> char16_t { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; };
    size_t k = 0;
    for (; k < ascii.size(); ++k) {
        if (name[k] == 0) return false;
        if (fold(name[k]) != fold(static_cast<unsigned char>(ascii[k]))) return false;
    }
    return name[k] == 0;
}

void FillException(EXCEPINFO* info, HRESULT scode, std::string_view description,
                   std::string_view source) {
    if (info == nullptr) return;
    *info = EXCEPINFO{};
    info->scode = scode;
    std::u16string text = text::FromUtf8(description);
    info->bstrDescription = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!source.empty()) {
        std::u16string name = text::FromUtf8(source);
        info->bstrSource = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
    }
}

HRESULT Guarded(const std::function<HRESULT()>& call, EXCEPINFO* info, std::string_view source) {
    try {
        try {
            return call();
        } catch (const DispatchError& e) {
            FillException(info, e.scode(), e.description(), e.source().empty() ? source : e.source());
        } catch (const std::bad_alloc&) {
            FillException(info, E_OUTOFMEMORY, "Out of memory", source);
        } catch (const std::exception& e) {
            FillException(info, E_FAIL, e.what(), source);
        } catch (...) {
            FillException(info, E_FAIL, "Unexpected error", source);
        }
    } catch (...) {  // no memory left even for the report
        if (info != nullptr) {
            *info = EXCEPINFO{};
            info->scode = E_OUTOFMEMORY;
        }
    }
    return DISP_E_EXCEPTION;
}

}  // namespace com::dispatch_detail
