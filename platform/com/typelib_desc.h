// A type library as a module keeps it in its resources: the library, its interfaces with their
// members, and its coclasses. Plain constant data (pointers and counts), so a module can define it
// statically and another module can read it through the module's resource accessor.
#pragma once

#include <cstddef>

#include "platform/com/types.h"

namespace com {

// Library flags.
inline constexpr WORD LIBFLAG_FRESTRICTED = 0x1;
inline constexpr WORD LIBFLAG_FCONTROL = 0x2;
inline constexpr WORD LIBFLAG_FHIDDEN = 0x4;

// Type flags (interfaces and coclasses).
inline constexpr WORD TYPEFLAG_FAPPOBJECT = 0x1;
inline constexpr WORD TYPEFLAG_FCANCREATE = 0x2;
inline constexpr WORD TYPEFLAG_FHIDDEN = 0x10;
inline constexpr WORD TYPEFLAG_FCONTROL = 0x20;
inline constexpr WORD TYPEFLAG_FDUAL = 0x40;
inline constexpr WORD TYPEFLAG_FDISPATCHABLE = 0x1000;

// Implemented-interface flags of a coclass.
inline constexpr int IMPLTYPEFLAG_FDEFAULT = 0x1;
inline constexpr int IMPLTYPEFLAG_FSOURCE = 0x2;

template <class T>
struct DescList {
    const T* items = nullptr;
    std::size_t count = 0;

    const T* begin() const { return items; }
    const T* end() const { return items + count; }
};

template <class T, std::size_t N>
constexpr DescList<T> List(const T (&items)[N]) {
    return DescList<T>{items, N};
}

struct ParamDesc {
    const char* name;
    VARTYPE type;
};

struct MemberDesc {
    DISPID id;
    const char* name;
    VARTYPE result;  // VT_EMPTY for none
    DescList<ParamDesc> params;
    const char* helpString;
};

enum class InterfaceKind { Dispatch, Plain };

struct InterfaceDesc {
    const char* name;
    const GUID* iid;
    InterfaceKind kind;
    WORD flags;
    const char* helpString;
    DescList<MemberDesc> members;
};

struct ImplementedDesc {
    const GUID* iid;
    int flags;  // IMPLTYPEFLAG_*
};

struct CoclassDesc {
    const char* name;
    const GUID* clsid;
    WORD flags;
    const char* helpString;
    DescList<ImplementedDesc> interfaces;
};

struct TypeLibDesc {
    const char* name;
    const GUID* libid;
    WORD majorVersion;
    WORD minorVersion;
    LCID lcid;
    WORD flags;  // LIBFLAG_*
    const char* helpString;
    const char* helpFile;
    DescList<InterfaceDesc> interfaces;
    DescList<CoclassDesc> coclasses;
};

}  // namespace com
