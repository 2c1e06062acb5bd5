#include "signing/base64_conversion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "components/base64lib/base64_interface.h"
#include "platform/com/creation.h"
#include "platform/com/com_ptr.h"
#include "platform/com/dispatch_error.h"
#include "platform/text/codepage.h"
#include "platform/ui/messagebox.h"
#include "signing/messages.h"
#include "signing/module_title.h"

namespace signing {
namespace {

constexpr const char* kTempFile = "Base64.enc";
constexpr const char16_t* kTempFileWide = u"Base64.enc";

// The file has one fixed name in the current directory, so conversions of this process take turns.
std::mutex g_conversionLock;

// Undoes a successful apartment initialisation when the conversion ends.
class ApartmentScope {
public:
    ApartmentScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ApartmentScope() {
        if (initialised_) CoUninitialize();
    }
    ApartmentScope(const ApartmentScope&) = delete;
    ApartmentScope& operator=(const ApartmentScope&) = delete;

private:
    bool initialised_;
};

// Creates or truncates the temporary file and writes the bytes. A symbolic link of that name is
// refused (nothing is written through it); the file is readable by its owner only.
bool WriteTempFile(const unsigned char* bytes, std::size_t length) {
    int fd = open(kTempFile, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) return false;
    bool ok = fchmod(fd, S_IRUSR | S_IWUSR) == 0;
    std::size_t written = 0;
    while (ok && written < length) {
        ssize_t n = write(fd, bytes + written, length - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        else written += static_cast<std::size_t>(n);
    }
    if (close(fd) != 0) ok = false;
    return ok;
}

bool IsSymlink(const char* path) {
    struct stat st {};
    return lstat(path, &st) == 0 && S_ISLNK(st.st_mode);
}

}  // namespace

BSTR ConvertToBase64(const unsigned char* bytes, std::size_t length) {
    std::lock_guard<std::mutex> lock(g_conversionLock);
    com::BStr text;
    {
        ApartmentScope apartment;
        CLSID clsid{};
        com::ComPtr<base64lib::IBase64> component;
        static const std::u16string progId = text::FromUtf8(base64lib::kProgId);
        static const IID iid = MakeGuid(base64lib::kIid);
        if (FAILED(CLSIDFromProgID(progId.c_str(), &clsid)) ||
            FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid,
                                    reinterpret_cast<void**>(component.put())))) {
            MessageBoxA(nullptr, signing_text::kCreationFailed, ModuleTitle().c_str(), MB_OK | MB_ICONEXCLAMATION);
            return nullptr;
        }
        if (IsSymlink(kTempFile)) return nullptr;
        bool written = WriteTempFile(bytes, length);
        HRESULT hr = E_FAIL;
        if (written) {
            com::BStr fileName(kTempFileWide);
            BSTR name = fileName.get();
            hr = component->EncodeFile(&name, text.put());
        }
        if (!written || FAILED(hr)) {
            // Nothing trustworthy came back: no text, and the file goes.
            text = com::BStr();
            unlink(kTempFile);
            return nullptr;
        }
    }
    if (unlink(kTempFile) != 0)
        throw com::DispatchError(E_ACCESSDENIED, std::string("The file \"") + kTempFile +
                                                       "\" could not be deleted: " + std::strerror(errno));
    if (text.get() == nullptr) return nullptr;
    return SysAllocStringByteLen(reinterpret_cast<const char*>(text.get()), SysStringByteLen(text.get()));
}

}  // namespace signing
