// Property exchange: a control's DoPropExchange names each persistent item once, and the same code
// loads it (with its default when the store lacks it), saves it, or resets it to its default.
//
//   void CThing::DoPropExchange(CPropExchange* pPX) {
//       ExchangeVersion(pPX, 0x00010000);
//       COleControl::DoPropExchange(pPX);
//       PX_Long(pPX, "Width", m_width, 100);
//   }
#pragma once

#include <map>
#include <string>

#include "platform/com/object.h"
#include "platform/framework/ole_interfaces.h"

class CPropExchange {
public:
    virtual ~CPropExchange() = default;
    bool IsLoading() const { return loading_; }
    // The version of the data being loaded (as ExchangeVersion read it), or being saved.
    DWORD GetVersion() const { return version_; }

    // Loading: value becomes the stored item converted to the type, or the default when there is
    // none (or it does not convert). Saving: the item is written. False when a save fails.
    virtual bool ExchangeProp(const char* name, VARTYPE type, void* value, const void* defaultValue) = 0;
    // The version item "_Version". Loading: versionLoaded gets the stored value, or the default.
    // Saving: the default (the current version) is written when convert, else versionLoaded.
    bool ExchangeVersion(DWORD& versionLoaded, DWORD versionDefault, bool convert);

protected:
    explicit CPropExchange(bool loading) : loading_(loading) {}

private:
    bool loading_;
    DWORD version_ = 0;
};

bool PX_Long(CPropExchange* pPX, const char* name, LONG& value, LONG defaultValue);
bool PX_ULong(CPropExchange* pPX, const char* name, ULONG& value, ULONG defaultValue);

namespace framework {

// Exchange with a property bag, loading or saving.
class PropBagExchange final : public CPropExchange {
public:
    PropBagExchange(IPropertyBag* bag, IErrorLog* log, bool loading) : CPropExchange(loading), bag_(bag), log_(log) {}
    bool ExchangeProp(const char* name, VARTYPE type, void* value, const void* defaultValue) override;
    // Whether an item could not be written.
    bool Failed() const { return failed_; }

private:
    IPropertyBag* bag_;
    IErrorLog* log_;
    bool failed_ = false;
};

// Reset: every item takes its default.
class ResetExchange final : public CPropExchange {
public:
    ResetExchange() : CPropExchange(true) {}
    bool ExchangeProp(const char* name, VARTYPE type, void* value, const void* defaultValue) override;
};

// A property bag in memory: named VARIANT items, names compared without regard to case.
class PropertyBag final : public com::Object<IPropertyBag> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT Read(LPCOLESTR name, VARIANT* value, IErrorLog* errorLog) override;
    HRESULT Write(LPCOLESTR name, VARIANT* value) override;

    // For hosts and tests: the item (an empty VARIANT when missing), and whether it is there.
    bool Has(const std::string& name) const;
    // The item as a VT_I4 value; false when missing or not a number.
    bool GetLong(const std::string& name, LONG* value) const;
    void Remove(const std::string& name);

private:
    ~PropertyBag() override;
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::map<std::string, VARIANT, NoCase> items_;
};

}  // namespace framework
