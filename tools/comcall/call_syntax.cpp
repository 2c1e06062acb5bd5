#include "tools/comcall/call_syntax.h"

#include <cctype>
#include <charconv>

#include "tools/comcall/json_text.h"

namespace comcall {
namespace {

void SkipBlanks(const std::string& t, size_t* k) {
    while (*k < t.size() && std::isspace(static_cast<unsigned char>(t[*k]))) ++*k;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t n = 0;
    for (; b[n] != 0; ++n)
        if (n >= a.size() || std::tolower(static_cast<unsigned char>(a[n])) != b[n]) return false;
    return n == a.size();
}

bool ParseArgument(const std::string& t, size_t* k, Argument* arg, std::string* error) {
    if (*k < t.size() && t[*k] == '"') {
        arg->kind = Argument::Kind::Text;
        return ReadJsonString(t, k, &arg->text, error);
    }
    size_t start = *k;
    if (*k < t.size() && (t[*k] == '-' || t[*k] == '+')) ++*k;
    while (*k < t.size() && IsNameChar(t[*k])) ++*k;
    const std::string word = t.substr(start, *k - start);
    if (EqualsNoCase(word, "true") || EqualsNoCase(word, "false")) {
        arg->kind = Argument::Kind::Boolean;
        arg->boolean = EqualsNoCase(word, "true");
        return true;
    }
    const char* first = word.data() + (!word.empty() && word[0] == '+');
    const char* last = word.data() + word.size();
    auto [end, ec] = std::from_chars(first, last, arg->integer);
    if (word.empty() || ec != std::errc() || end != last) {
        *error = word.empty() ? "an argument is missing" : "not an argument: " + word;
        return false;
    }
    if (arg->integer < INT32_MIN || arg->integer > INT32_MAX) {
        *error = "integer out of range: " + word;
        return false;
    }
    arg->kind = Argument::Kind::Integer;
    return true;
}

}  // namespace

bool ParseCall(const std::string& t, Call* call, std::string* error) {
    *call = Call{};
    size_t k = 0;
    SkipBlanks(t, &k);
    size_t start = k;
    if (k < t.size() && t[k] == '#') {
        ++k;
        size_t digits = k;
        if (k < t.size() && t[k] == '-') ++k;
        while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k]))) ++k;
        DISPID id = 0;
        auto [end, ec] = std::from_chars(t.data() + digits, t.data() + k, id);
        if (ec != std::errc() || end != t.data() + k) {
            *error = "#N needs a DISPID number";
            return false;
        }
        call->id = id;
    } else {
        while (k < t.size() && IsNameChar(t[k])) ++k;
        if (k == start) {
            *error = "a call starts with a method name or #N";
            return false;
        }
        call->name = t.substr(start, k - start);
    }
    call->label = t.substr(start, k - start);
    SkipBlanks(t, &k);
    if (k < t.size() && t[k] == '(') {
        ++k;
        SkipBlanks(t, &k);
        if (k < t.size() && t[k] == ')') {
            ++k;
        } else {
            for (;;) {
                SkipBlanks(t, &k);
                Argument arg;
                if (!ParseArgument(t, &k, &arg, error)) return false;
                call->args.push_back(std::move(arg));
                SkipBlanks(t, &k);
                if (k < t.size() && t[k] == ',') {
                    ++k;
                    continue;
                }
                if (k < t.size() && t[k] == ')') {
                    ++k;
                    break;
                }
                *error = "expected , or ) after an argument";
                return false;
            }
        }
    }
    SkipBlanks(t, &k);
    if (k != t.size()) {
        *error = "unexpected text after the call: " + t.substr(k);
        return false;
    }
    return true;
}

}  // namespace comcall
