// The registry entries of a control class and of a property page class, written and removed by
// their class objects' UpdateRegistry. Every entry is a string under HKEY_CLASSES_ROOT that
// replaces an existing value; *path* is the module file's full path (there is no short form here).
//
//   control:  <ProgID> = user type name;  <ProgID>\CLSID = {CLSID}
//             CLSID\{CLSID} = user type name, with the subkeys
//               ProgID = ProgID;  InprocServer32 = path (ThreadingModel "Apartment" when asked);
//               ToolboxBitmap32 = "path, <bitmap id>";  MiscStatus = "0";  MiscStatus\1 = misc status;
//               Control = "";  TypeLib = {LIBID};  Version = "<major>.<minor>";
//               Insertable (only when asked)
//   page:     CLSID\{CLSID} = user type name;  ...\InprocServer32 = path (ThreadingModel when asked)
//
// A user type name string the module does not have is replaced by the CLSID text.
#pragma once

#include "platform/com/types.h"
#include "platform/framework/ole_module.h"

namespace framework {

inline constexpr DWORD OLEMISC_RECOMPOSEONRESIZE = 0x1;
inline constexpr DWORD OLEMISC_CANTLINKINSIDE = 0x10;
inline constexpr DWORD OLEMISC_INSIDEOUT = 0x80;
inline constexpr DWORD OLEMISC_ACTIVATEWHENVISIBLE = 0x100;
inline constexpr DWORD OLEMISC_INVISIBLEATRUNTIME = 0x400;
inline constexpr DWORD OLEMISC_SETCLIENTSITEFIRST = 0x20000;

// Registration flags.
inline constexpr unsigned kRegInsertable = 0x1;
inline constexpr unsigned kRegApartment = 0x2;

struct ControlClassInfo {
    CLSID clsid;
    const char* progId;
    UINT userTypeNameId;  // string resource
    UINT bitmapId;        // toolbox bitmap resource
    unsigned flags;       // kReg*
    DWORD miscStatus;
    GUID libid;
    WORD majorVersion;
    WORD minorVersion;
};

// False when any entry cannot be written; entries already written stay.
bool RegisterControlClass(ModuleState& module, const ControlClassInfo& info);
bool RegisterPropertyPageClass(ModuleState& module, REFCLSID clsid, UINT userTypeNameId, unsigned flags);
// Removes CLSID\{CLSID} and, when progId is not null, the ProgID key, each with everything under it.
// A class key that also holds a 16-bit InprocServer keeps it: only InprocServer32 and
// ToolboxBitmap32 go, and so does the ProgID key stay. Missing keys count as removed.
bool UnregisterClass(REFCLSID clsid, const char* progId);

}  // namespace framework
