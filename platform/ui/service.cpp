#include "platform/ui/service.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/ui/none_backend.h"
#include "platform/ui/script_backend.h"
#include "platform/ui/service_internal.h"
#include "platform/ui/terminal_backend.h"
#include "platform/ui/transcript.h"
#include "platform/ui/tty.h"

namespace ui {
namespace {

constexpr std::string_view kScriptPrefix = "script:";

struct State {
    std::recursive_mutex mutex;
    std::optional<std::string> hostChoice;  // set by SetBackend
    std::string activeSpec;
    std::unique_ptr<Backend> backend;
    int showing = 0;  // boxes and dialogs open now; the backend must not change under them
};

State& TheState() {
    static State state;
    return state;
}

// nullptr with *error when spec names no usable backend.
std::unique_ptr<Backend> MakeBackend(const std::string& spec, std::string* error) {
    if (spec == "none") return std::make_unique<NoneBackend>();
    if (spec == "terminal") return std::make_unique<TerminalBackend>();
    if (spec.starts_with(kScriptPrefix) && spec.size() > kScriptPrefix.size())
        return ScriptBackend::Open(spec.substr(kScriptPrefix.size()), error);
    *error = "unknown UI backend " + transcript::Quote(spec);
    return nullptr;
}

std::string SpecFromEnvironment() {
    const char* value = std::getenv(kBackendVariable);
    if (value != nullptr && *value != '\0') return value;
    return Tty::Available() ? "terminal" : "none";
}

// The backend for this moment; builds a fresh one when the chosen backend string changed.
Backend& Resolve(State& s) {
    // A box that a dialog opens uses the dialog's backend, whatever the environment says by now.
    if (s.showing > 0 && s.backend) return *s.backend;
    const std::string spec = s.hostChoice ? *s.hostChoice : SpecFromEnvironment();
    if (s.backend && spec == s.activeSpec) return *s.backend;
    std::string error;
    s.backend = MakeBackend(spec, &error);
    if (!s.backend) {
        // An unusable choice shows nothing, and says why once.
        transcript::Problem(error + "; nothing can be shown");
        s.backend = std::make_unique<NoneBackend>(spec);
    }
    s.activeSpec = spec;
    return *s.backend;
}

}  // namespace

namespace detail {

void WithBackend(const std::function<void(Backend&)>& fn) {
    State& s = TheState();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    Backend& backend = Resolve(s);
    ++s.showing;
    try {
        fn(backend);
    } catch (...) {
        --s.showing;
        throw;
    }
    --s.showing;
}

}  // namespace detail

bool SetBackend(const std::string& spec) {
    try {
        std::string error;
        std::unique_ptr<Backend> backend = MakeBackend(spec, &error);
        if (!backend) return false;
        State& s = TheState();
        std::lock_guard<std::recursive_mutex> lock(s.mutex);
        if (s.showing > 0) return false;
        s.hostChoice = spec;
        s.activeSpec = spec;
        s.backend = std::move(backend);
        return true;
    } catch (...) {
        return false;
    }
}

void ResetFromEnvironment() {
    State& s = TheState();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    if (s.showing > 0) return;
    s.hostChoice.reset();
    s.activeSpec.clear();
    s.backend.reset();
}

std::string CurrentBackendName() {
    try {
        std::string name;
        detail::WithBackend([&](Backend& b) { name = b.Name(); });
        return name;
    } catch (...) {
        return "none";
    }
}

bool ScriptRanOut() {
    State& s = TheState();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    return s.backend && s.backend->RanOut();
}

}  // namespace ui
