// A dispatch map: a class declares each member once, as
//   {DISPID, name, result type, {parameter types}, &Class::member}
// and gets IDispatch::Invoke and GetIDsOfNames from it:
//
//   static const com::DispatchMap<CThing> kMap{{
//       {1, "signing", VT_BSTR, {VT_BSTR, VT_BSTR}, &CThing::signing},
//       {DISPID_ABOUTBOX, "AboutBox", VT_EMPTY, {}, &CThing::AboutBox},
//   }};
//   HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
//                  VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override {
//       return kMap.Invoke(this, id, iid, lcid, flags, params, result, excepInfo, argErr);
//   }
//
// Invoke takes the arguments last-first as DISPPARAMS holds them, converts each to its declared
// type (dispatch_args.h lists the C++ types and what they receive), calls the member and stores
// its result. Errors:
//   unknown DISPID, or a property put              DISP_E_MEMBERNOTFOUND
//   wrong number of arguments                      DISP_E_BADPARAMCOUNT
//   named arguments                                DISP_E_NONAMEDARGS
//   an argument that does not convert              DISP_E_TYPEMISMATCH (DISP_E_OVERFLOW when out of
//                                                  range), *argErr = its index in DISPPARAMS
//   the member throws com::DispatchError           DISP_E_EXCEPTION, EXCEPINFO with its code and text
//   the member throws anything else                DISP_E_EXCEPTION, EXCEPINFO with E_FAIL
// Nothing thrown by a member leaves Invoke. Names compare without regard to case.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/com/dispatch_args.h"
#include "platform/com/dispatch_error.h"
#include "platform/com/interfaces.h"
#include "platform/com/types.h"

namespace com {

namespace dispatch_detail {

// Non-template parts, in dispatch_map.cpp.
bool NameEquals(const OLECHAR* name, std::string_view ascii);
void FillException(EXCEPINFO* info, HRESULT scode, std::string_view description,
                   std::string_view source);
// Runs call, turning whatever it throws into DISP_E_EXCEPTION with EXCEPINFO.
HRESULT Guarded(const std::function<HRESULT()>& call, EXCEPINFO* info, std::string_view source);

template <class F>
struct MemberTraits;
#define CS_DISPATCH_MEMBER_TRAITS(QUALIFIERS)                  \
    template <class C, class R, class... A>                    \
    struct MemberTraits<R (C::*)(A...) QUALIFIERS> {           \
        using Class = C;                                       \
        using Result = R;                                      \
        using Args = std::tuple<A...>;                         \
    };
CS_DISPATCH_MEMBER_TRAITS()
CS_DISPATCH_MEMBER_TRAITS(const)
CS_DISPATCH_MEMBER_TRAITS(noexcept)
CS_DISPATCH_MEMBER_TRAITS(const noexcept)
#undef CS_DISPATCH_MEMBER_TRAITS

template <class Tuple>
struct Slots;
template <class... A>
struct Slots<std::tuple<A...>> {
    using Type = std::tuple<ArgSlot<A>...>;
    static bool Accept(const std::vector<VARTYPE>& types) {
        if (types.size() != sizeof...(A)) return false;
        [[maybe_unused]] size_t i = 0;
        return (ArgSlot<A>::Accepts(types[i++]) && ...);
    }
};

}  // namespace dispatch_detail

template <class T>
class DispatchMap {
public:
    using Thunk = std::function<HRESULT(T* self, DISPPARAMS* params, VARIANT* result, UINT* argErr)>;

    struct Member {
        template <class F>
        Member(DISPID id, const char* name, VARTYPE result, std::initializer_list<VARTYPE> params,
               F function)
            : id(id), name(name), result(result), params(params) {
            using Traits = dispatch_detail::MemberTraits<F>;
            using Args = typename Traits::Args;
            using R = typename Traits::Result;
            static_assert(std::is_base_of_v<typename Traits::Class, T>,
                          "the member must belong to the class of the map");
            matches = dispatch_detail::ResultSlot<R>::Accepts(result) &&
                      dispatch_detail::Slots<Args>::Accept(this->params);
            std::vector<VARTYPE> types = this->params;
            VARTYPE resultType = result;
            call = [function, types, resultType](T* self, DISPPARAMS* dp, VARIANT* out,
                                                 UINT* argErr) -> HRESULT {
                return Call<R>(function, self, types, resultType, dp, out, argErr,
                               static_cast<Args*>(nullptr));
            };
        }

        DISPID id;
        const char* name;
        VARTYPE result;
        std::vector<VARTYPE> params;
        bool matches = false;  // the declared types fit the function's own
        Thunk call;
    };

    DispatchMap(std::initializer_list<Member> members) : members_(members) {}
    // source names the object in the EXCEPINFO of a failed call.
    DispatchMap(std::string source, std::initializer_list<Member> members)
        : source_(std::move(source)), members_(members) {}

    // Problems with the declarations (types that do not fit, a DISPID or name used twice); empty
    // when there are none. Tests assert it is empty.
    std::string Check() const {
        std::string problems;
        for (size_t i = 0; i < members_.size(); ++i) {
            const Member& m = members_[i];
            if (!m.matches) problems += std::string(m.name) + ": declared types do not fit; ";
            for (size_t j = 0; j < i; ++j) {
                if (members_[j].id == m.id)
                    problems += std::string(m.name) + ": DISPID used twice; ";
                if (SameName(members_[j].name, m.name))
                    problems += std::string(m.name) + ": name used twice; ";
            }
        }
        return problems;
    }

    const Member* Find(DISPID id) const {
        for (const Member& m : members_)
            if (m.id == id) return &m;
        return nullptr;
    }

    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) const {
        if (!(iid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        if (names == nullptr || ids == nullptr) return E_POINTER;
        if (count == 0) return E_INVALIDARG;
        for (UINT k = 0; k < count; ++k) ids[k] = DISPID_UNKNOWN;
        HRESULT hr = count > 1 ? DISP_E_UNKNOWNNAME : S_OK;  // parameter names are not known
        for (const Member& m : members_) {
            if (names[0] != nullptr && dispatch_detail::NameEquals(names[0], m.name)) {
                ids[0] = m.id;
                return hr;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT Invoke(T* self, DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) const {
        if (!(iid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        const Member* m = Find(id);
        if (m == nullptr || !(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
            return DISP_E_MEMBERNOTFOUND;
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        if (params == nullptr) params = &none;
        if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
        if (params->cArgs != m->params.size()) return DISP_E_BADPARAMCOUNT;
        if (params->cArgs != 0 && params->rgvarg == nullptr) return E_INVALIDARG;
        if (result != nullptr) VariantInit(result);
        if (!m->matches) {
            dispatch_detail::FillException(excepInfo, E_UNEXPECTED,
                                           std::string("member ") + m->name +
                                               " is declared with types that do not fit it",
                                           source_);
            return DISP_E_EXCEPTION;
        }
        return dispatch_detail::Guarded(
            [&]() { return m->call(self, params, result, argErr); }, excepInfo, source_);
    }

private:
    static bool SameName(const char* a, const char* b) {
        std::u16string wide(a, a + std::char_traits<char>::length(a));
        return dispatch_detail::NameEquals(wide.c_str(), b);
    }

    template <class R, class F, class... A>
    static HRESULT Call(F function, T* self, const std::vector<VARTYPE>& types, VARTYPE resultType,
                        DISPPARAMS* dp, VARIANT* out, UINT* argErr, std::tuple<A...>*) {
        std::tuple<dispatch_detail::ArgSlot<A>...> slots;
        HRESULT hr = Load(slots, types, dp, argErr, std::index_sequence_for<A...>{});
        if (FAILED(hr)) return hr;
        auto invoke = [&](auto&... slot) -> decltype(auto) { return (self->*function)(slot.Get()...); };
        if constexpr (std::is_void_v<R>) {
            std::apply(invoke, slots);
            return S_OK;
        } else {
            return dispatch_detail::ResultSlot<std::remove_cv_t<R>>::Store(std::apply(invoke, slots),
                                                                          resultType, out);
        }
    }

    template <class Tuple, size_t... I>
    static HRESULT Load([[maybe_unused]] Tuple& slots, [[maybe_unused]] const std::vector<VARTYPE>& types,
                        [[maybe_unused]] DISPPARAMS* dp, [[maybe_unused]] UINT* argErr,
                        std::index_sequence<I...>) {
        HRESULT hr = S_OK;
        // Parameter i is the i-th from the end of rgvarg.
        ((SUCCEEDED(hr) ? (hr = LoadOne(std::get<I>(slots), types[I], dp, I, argErr)) : hr), ...);
        return hr;
    }

    template <class Slot>
    static HRESULT LoadOne(Slot& slot, VARTYPE type, DISPPARAMS* dp, size_t i, UINT* argErr) {
        const UINT position = dp->cArgs - 1 - static_cast<UINT>(i);
        HRESULT hr = slot.Load(&dp->rgvarg[position], type);
        if (FAILED(hr)) {
            if (argErr != nullptr) *argErr = position;
            if (hr != DISP_E_OVERFLOW && hr != E_OUTOFMEMORY) hr = DISP_E_TYPEMISMATCH;
        }
        return hr;
    }

    std::string source_;
    std::vector<Member> members_;
};

}  // namespace com
