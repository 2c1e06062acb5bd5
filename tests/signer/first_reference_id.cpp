// Prints the Id text of the first Reference this process makes. The registry named by
// CHEQUESIGN_PREFIX must have the DOM class registered; argv[1] is the folder for the logs.
#include <cstdio>

#include "platform/com/creation.h"
#include "platform/text/codepage.h"
#include "signer/component_folder.h"
#include "signer/globals.h"
#include "tests/signer/xmlsigning_access.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    signer::SetComponentFolderForTesting(argv[1]);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
    signer::clsXMLsigning signing;
    signer::clsXMLsigningTestAccess::SetAlgorithms(signing);
    std::u16string document = u"<doc/>";
    std::u16string reference = signer::clsXMLsigningTestAccess::CreateRefernceElement(signing, document);
    CoUninitialize();
    if (reference.empty()) {
        std::fprintf(stderr, "no reference: status %d\n", static_cast<int>(signer::glngErrorNumber));
        return 1;
    }
    std::printf("%s\n", text::ToUtf8(signer::clsXMLsigningTestAccess::ReferenceId(signing)).c_str());
    return 0;
}
