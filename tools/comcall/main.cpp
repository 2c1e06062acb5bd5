// comcall: a late-bound automation host. It creates one object and makes the calls in order, the
// way a script host drives a component:
//
//   comcall [--ui BACKEND] [--module FILE] PROGID|{CLSID} CALL...
//   CALL:  Method | Method(arg, ...) | #N | #N(arg, ...)
//   args:  "text" (JSON escapes), integers, True, False
//
// With --module the class comes from that module's DllGetClassObject, without the registry; give
// its {CLSID} then (a ProgID would still be looked up in the registry).
// Arguments are passed by reference to host variables (VT_BYREF|VT_BSTR, VT_BYREF|VT_I2 for an
// integer that fits 16 bits, VT_BYREF|VT_I4 otherwise, VT_BYREF|VT_BOOL). One output line per
// call: "Method = VALUE", where VALUE is a JSON string (non-ASCII written as UTF-8), True/False,
// a decimal number or (empty); then "  arg N = VALUE" for each argument the call changed (N from
// 1); or "Method ! 0xHHHHHHHH description" for a failed call, after which the next calls still run.
// Exit status: 0 when every call succeeded, 1 when a call failed or the object could not be
// created, 2 for a command line that cannot be used.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/creation.h"
#include "platform/com/hresult_text.h"
#include "platform/loader/loader.h"
#include "platform/text/codepage.h"
#include "platform/ui/service.h"
#include "tools/comcall/call_syntax.h"
#include "tools/comcall/host_call.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct Options {
    std::string ui;
    std::string module;
    std::string target;
    std::vector<comcall::Call> calls;
};

int Usage(const std::string& message) {
    std::fprintf(stderr, "comcall: %s\n", message.c_str());
    std::fprintf(stderr, "usage: comcall [--ui BACKEND] [--module FILE] PROGID|{CLSID} CALL...\n");
    return kExitUsage;
}

bool ParseOptions(int argc, char** argv, Options* o, std::string* error) {
    int i = 1;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--ui" || a == "--module") {
            if (i + 1 >= argc) return *error = a + " needs a value", false;
            (a == "--ui" ? o->ui : o->module) = argv[++i];
        } else if (a.rfind("--", 0) == 0) {
            return *error = "unknown option " + a, false;
        } else {
            break;
        }
    }
    if (i >= argc) return *error = "no class given", false;
    o->target = argv[i++];
    if (i >= argc) return *error = "no call given", false;
    for (; i < argc; ++i) {
        comcall::Call call;
        std::string why;
        if (!comcall::ParseCall(argv[i], &call, &why))
            return *error = std::string("bad call '") + argv[i] + "': " + why, false;
        o->calls.push_back(std::move(call));
    }
    return true;
}

HRESULT ClassId(const std::string& target, CLSID* clsid) {
    std::u16string wide = text::FromUtf8(target);
    if (!target.empty() && target[0] == '{') return CLSIDFromString(wide.c_str(), clsid);
    return CLSIDFromProgID(wide.c_str(), clsid);
}

// The class factory of a module given on the command line, without the registry.
HRESULT CreateFromModule(const std::string& file, REFCLSID clsid, IDispatch** object,
                         std::string* detail) {
    std::error_code ec;
    std::string path = file;
    if (file.find('/') == std::string::npos && std::filesystem::exists(file, ec))
        path = std::filesystem::absolute(file, ec).string();  // a file here, not a library search
    HMODULE module = LoadLibraryA(path.c_str());  // stays loaded for the process
    if (module == nullptr) {
        *detail = loader::LastError();
        return CO_E_DLLNOTFOUND;
    }
    auto getClassObject = loader::Lookup<PFN_DllGetClassObject>(module, "DllGetClassObject");
    if (getClassObject == nullptr) {
        *detail = "\"" + path + "\" has no DllGetClassObject";
        return CO_E_ERRORINDLL;
    }
    com::ComPtr<IClassFactory> factory;
    HRESULT hr = getClassObject(clsid, IID_IClassFactory, factory.put_void());
    if (FAILED(hr)) return hr;
    if (!factory) {  // a success with nothing to call through
        *detail = "\"" + path + "\" gave no class object";
        return E_UNEXPECTED;
    }
    return factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(object));
}

HRESULT CreateObject(const Options& o, IDispatch** object, std::string* detail) {
    CLSID clsid{};
    HRESULT hr = ClassId(o.target, &clsid);
    if (FAILED(hr)) return hr;
    if (!o.module.empty()) return CreateFromModule(o.module, clsid, object, detail);
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                          reinterpret_cast<void**>(object));
    if (FAILED(hr)) *detail = com::LastCreationError();
    return hr;
}

int Run(const Options& o) {
    com::ComPtr<IDispatch> object;
    std::string detail;
    HRESULT hr = CreateObject(o, object.put(), &detail);
    if (FAILED(hr) || !object) {
        if (SUCCEEDED(hr)) hr = E_NOINTERFACE;
        std::fprintf(stderr, "comcall: cannot create %s ! %s %s%s%s\n", o.target.c_str(),
                     com::HexHResult(hr).c_str(), com::DescribeHResult(hr).c_str(),
                     detail.empty() ? "" : ": ", detail.c_str());
        return kExitFailed;
    }
    bool anyFailed = false;
    for (const comcall::Call& call : o.calls) {
        bool failed = false;
        for (const std::string& line : comcall::PerformCall(object.get(), call, &failed))
            std::printf("%s\n", line.c_str());
        std::fflush(stdout);
        anyFailed = anyFailed || failed;
    }
    return anyFailed ? kExitFailed : 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Options o;
        std::string error;
        if (!ParseOptions(argc, argv, &o, &error)) return Usage(error);
        if (!o.ui.empty() && !ui::SetBackend(o.ui)) return Usage("unknown UI backend " + o.ui);
        HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        int status = Run(o);
        if (SUCCEEDED(init)) CoUninitialize();
        return status;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "comcall: %s\n", e.what());
        return kExitFailed;
    }
}
