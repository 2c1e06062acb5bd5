#include "tools/reg/arguments.h"

#include <string_view>

#include "tools/reg/text.h"

namespace reg {
namespace {

// "/v" or "-v" -> "v"; empty for anything that is not an option.
std::string_view OptionName(const char* arg) {
    if ((arg[0] == '/' || arg[0] == '-') && arg[1] != '\0') return arg + 1;
    return {};
}

bool ParseVerb(const char* text, Verb* verb) {
    const struct {
        const char* name;
        Verb verb;
    } verbs[] = {{"query", Verb::Query},
                 {"add", Verb::Add},
                 {"delete", Verb::Delete},
                 {"/?", Verb::Help},
                 {"-?", Verb::Help}};
    for (const auto& v : verbs)
        if (SameText(text, v.name)) {
            *verb = v.verb;
            return true;
        }
    return false;
}

bool Fail(std::string* error, std::string text) {
    *error = std::move(text);
    return false;
}

bool SetOnce(std::optional<std::string>& slot, std::string value, std::string_view option,
             std::string* error) {
    if (slot) return Fail(error, "option /" + std::string(option) + " given twice");
    slot = std::move(value);
    return true;
}

}  // namespace

bool ParseArguments(int argc, char** argv, Arguments* out, std::string* error) {
    *out = Arguments{};
    if (argc < 2 || !ParseVerb(argv[1], &out->verb)) return Fail(error, "unknown or missing operation");
    if (out->verb == Verb::Help) return argc == 2 || Fail(error, "unexpected arguments");
    if (argc < 3) return Fail(error, "missing key name");
    out->keyText = argv[2];
    while (out->keyText.size() > 1 && out->keyText.back() == '\\') out->keyText.pop_back();
    if (!registry::ParseKeyPath(out->keyText, &out->root, &out->subKey))
        return Fail(error, "the key must start with HKLM, HKCR, HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT");

    const bool adding = out->verb == Verb::Add;
    for (int i = 3; i < argc; ++i) {
        const std::string_view name = OptionName(argv[i]);
        const bool hasOperand = i + 1 < argc;
        if (SameText(name, "v") && hasOperand) {
            if (!SetOnce(out->valueName, argv[++i], name, error)) return false;
        } else if (SameText(name, "ve")) {
            if (!SetOnce(out->valueName, "", name, error)) return false;
        } else if (SameText(name, "t") && hasOperand && adding) {
            if (!SetOnce(out->typeName, argv[++i], name, error)) return false;
        } else if (SameText(name, "d") && hasOperand && adding) {
            if (!SetOnce(out->data, argv[++i], name, error)) return false;
        } else if (SameText(name, "f") && out->verb != Verb::Query && !out->force) {
            out->force = true;
        } else if (SameText(name, "s") && out->verb == Verb::Query && !out->recursive) {
            out->recursive = true;
        } else {
            return Fail(error, std::string("unexpected argument \"") + argv[i] + "\"");
        }
    }
    if (adding && !out->valueName && (out->typeName || out->data))
        return Fail(error, "/t and /d need /v or /ve");
    return true;
}

}  // namespace reg
