#include "platform/registry/hive_text.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/registry/registry.h"

namespace registry::detail {
namespace {

constexpr std::string_view kHeader = "chequesign-registry 1";
constexpr std::string_view kEnd = "end";

struct TypeWord {
    DWORD type;
    std::string_view word;
};
constexpr TypeWord kTypeWords[] = {
    {REG_SZ, "sz"}, {REG_EXPAND_SZ, "expand_sz"}, {REG_BINARY, "binary"}, {REG_DWORD, "dword"}};

const char kHexDigits[] = "0123456789abcdef";
const char kUpperHexDigits[] = "0123456789ABCDEF";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool NeedsEscape(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '%' || c == '"';
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (NeedsEscape(u)) {
            out += '%';
            out += kUpperHexDigits[u >> 4];
            out += kUpperHexDigits[u & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

std::string ToHex(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        out += kHexDigits[u >> 4];
        out += kHexDigits[u & 15];
    }
    return out;
}

bool FromHex(std::string_view hex, std::string* bytes) {
    if (hex.size() % 2 != 0) return false;
    bytes->clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = HexDigit(hex[i]);
        const int lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        *bytes += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

void AppendValue(std::string& out, const Value& value) {
    out += "value ";
    AppendQuoted(out, value.name);
    out += ' ';
    for (const TypeWord& t : kTypeWords) {
        if (t.type != value.type) continue;
        if (t.type == REG_DWORD && value.data.size() != sizeof(DWORD)) break;
        if (t.type == REG_DWORD) {
            DWORD number = 0;
            std::memcpy(&number, value.data.data(), sizeof number);
            char text[16];
            std::snprintf(text, sizeof text, "0x%08x", number);
            out += "dword ";
            out += text;
        } else {
            out += t.word;
            out += ' ';
            AppendQuoted(out, t.type == REG_BINARY ? ToHex(value.data) : value.data);
        }
        out += '\n';
        return;
    }
    out += std::to_string(value.type);
    out += ' ';
    AppendQuoted(out, ToHex(value.data));
    out += '\n';
}

void AppendKey(std::string& out, const Key& key, const std::string& path) {
    out += "key ";
    AppendQuoted(out, path);
    out += '\n';
    for (const Value& value : key.values) AppendValue(out, value);
    for (const auto& [name, child] : key.subkeys)
        AppendKey(out, *child, path.empty() ? name : path + '\\' + name);
}

// Reads the tokens of one line: bare words and quoted texts, separated by one space.
class LineReader {
public:
    explicit LineReader(std::string_view line) : rest_(line) {}

    bool Word(std::string_view* word) {
        if (!Separator()) return false;
        const std::size_t end = rest_.find(' ');
        *word = rest_.substr(0, end);
        rest_.remove_prefix(word->size());
        return !word->empty() && word->front() != '"';
    }

    bool Quoted(std::string* text) {
        if (!Separator() || rest_.empty() || rest_.front() != '"') return false;
        rest_.remove_prefix(1);
        text->clear();
        while (!rest_.empty() && rest_.front() != '"') {
            const auto u = static_cast<unsigned char>(rest_.front());
            if (u == '%') {
                if (rest_.size() < 3) return false;
                const int hi = HexDigit(rest_[1]);
                const int lo = HexDigit(rest_[2]);
                if (hi < 0 || lo < 0) return false;
                *text += static_cast<char>(hi * 16 + lo);
                rest_.remove_prefix(3);
            } else {
                if (NeedsEscape(u)) return false;
                *text += rest_.front();
                rest_.remove_prefix(1);
            }
        }
        if (rest_.empty()) return false;
        rest_.remove_prefix(1);
        return true;
    }

    bool AtEnd() const { return rest_.empty(); }

private:
    bool Separator() {
        if (first_) {
            first_ = false;
            return true;
        }
        if (rest_.empty() || rest_.front() != ' ') return false;
        rest_.remove_prefix(1);
        return true;
    }

    std::string_view rest_;
    bool first_ = true;
};

bool ParseDword(std::string_view word, std::string* data) {
    if (word.size() != 10 || word.substr(0, 2) != "0x") return false;
    DWORD number = 0;
    for (char c : word.substr(2)) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        number = number * 16 + static_cast<DWORD>(digit);
    }
    data->assign(reinterpret_cast<const char*>(&number), sizeof number);
    return true;
}

bool ParseTypeNumber(std::string_view word, DWORD* type) {
    if (word.empty() || word.size() > 10) return false;
    unsigned long long number = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    if (number > 0xFFFFFFFFull) return false;
    *type = static_cast<DWORD>(number);
    return !IsStringType(*type);  // text is only kept in its quoted form
}

bool ParseValueLine(LineReader& in, Key* key) {
    Value value;
    std::string_view typeWord;
    if (!in.Quoted(&value.name) || !in.Word(&typeWord)) return false;
    const TypeWord* known = nullptr;
    for (const TypeWord& t : kTypeWords)
        if (t.word == typeWord) known = &t;
    if (known != nullptr && known->type == REG_DWORD) {
        std::string_view number;
        if (!in.Word(&number) || !ParseDword(number, &value.data)) return false;
        value.type = REG_DWORD;
    } else {
        std::string payload;
        if (!in.Quoted(&payload)) return false;
        if (known != nullptr && IsStringType(known->type)) {
            if (payload.find('\0') != std::string::npos) return false;
            value.data = std::move(payload);
        } else if (!FromHex(payload, &value.data)) {
            return false;
        }
        if (known != nullptr)
            value.type = known->type;
        else if (!ParseTypeNumber(typeWord, &value.type))
            return false;
    }
    if (!in.AtEnd() || key->FindValue(value.name) != nullptr) return false;
    key->values.push_back(std::move(value));
    return true;
}

// Adds the key named by the line; its parent must be there already and the key must not.
Key* ParseKeyLine(LineReader& in, Key* root, bool first) {
    std::string text;
    if (!in.Quoted(&text) || !in.AtEnd() || text.find('\0') != std::string::npos) return nullptr;
    if (first) return text.empty() ? root : nullptr;
    KeyPath path;
    if (text.empty() || text.back() == '\\' || !SplitKeyPath(text.c_str(), &path)) return nullptr;
    const std::string name = path.back();
    path.pop_back();
    Key* parent = FindKey(*root, path);
    if (parent == nullptr || parent->Child(name) != nullptr) return nullptr;
    return parent->subkeys.emplace(name, std::make_unique<Key>()).first->second.get();
}

}  // namespace

std::string SerializeHive(const Key& root) {
    std::string out(kHeader);
    out += '\n';
    AppendKey(out, root, "");
    out += kEnd;
    out += '\n';
    return out;
}

bool ParseHive(const std::string& text, Key* root) {
    *root = Key{};
    std::string_view rest(text);
    Key* current = nullptr;
    bool header = false;
    while (!rest.empty()) {
        const std::size_t eol = rest.find('\n');
        if (eol == std::string_view::npos) return false;  // cut off in the middle of a line
        const std::string_view line = rest.substr(0, eol);
        rest.remove_prefix(eol + 1);
        if (!header) {
            if (line != kHeader) return false;
            header = true;
            continue;
        }
        if (line == kEnd) return current != nullptr && rest.empty();
        LineReader in(line);
        std::string_view word;
        if (!in.Word(&word)) return false;
        if (word == "key") {
            current = ParseKeyLine(in, root, current == nullptr);
            if (current == nullptr) return false;
        } else if (word == "value") {
            if (current == nullptr || !ParseValueLine(in, current)) return false;
        } else {
            return false;
        }
    }
    return false;  // no "end" line
}

}  // namespace registry::detail
