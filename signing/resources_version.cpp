// The module's version block.
#include "signing/resources.h"

namespace signing_resources {

const framework::VersionResource& Version() {
    static const framework::VersionString strings[] = {
        {"FileDescription", "Signing ActiveX Control Module"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "Signing"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "Signing.OCX"},
        {"ProductName", "Signing ActiveX Control Module"},
        {"ProductVersion", "1, 0, 0, 1"},
        {"OLESelfRegister", ""},  // installers: the module registers itself
    };
    static const framework::VersionResource version{{1, 0, 0, 1}, {1, 0, 0, 1}, 0x0409, 0x04B0,
                                                    framework::List(strings)};
    return version;
}

}  // namespace signing_resources
