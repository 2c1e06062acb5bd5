#include "platform/xml/safe_parse.h"

#include <libxml/entities.h>
#include <libxml/hash.h>
#include <libxml/parser.h>

#include <climits>
#include <mutex>
#include <new>
#include <set>
#include <vector>

#include "platform/xml/utf.h"

namespace xmldom {

namespace {

// Without XML_PARSE_NOENT, DTDLOAD and DTDATTR nothing outside the text is read; without
// XML_PARSE_HUGE libxml2 keeps its limits on entity amplification, depth and text size.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

constexpr std::u16string_view kByteOrderMark = u"\uFEFF";
constexpr std::u16string_view kDeclarationStart = u"<?xml";
constexpr std::u16string_view kDeclarationEnd = u"?>";

struct ParserCtxtFree {
    void operator()(xmlParserCtxt* ctxt) const { xmlFreeParserCtxt(ctxt); }
};
using ParserCtxtPtr = std::unique_ptr<xmlParserCtxt, ParserCtxtFree>;

void InitParserOnce() {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// The XML declaration as the source wrote it. The parser accepted the text, so a text that starts
// with "<?xml" and a blank starts with a well-formed declaration, which holds no "?>" inside.
std::u16string DeclarationOf(std::u16string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    if (!text.starts_with(kDeclarationStart) || text.size() <= kDeclarationStart.size() ||
        !IsBlank(text[kDeclarationStart.size()]))
        return {};
    size_t end = text.find(kDeclarationEnd);
    return end == std::u16string_view::npos ? std::u16string() : std::u16string(text.substr(0, end + 2));
}

// A parameter entity with an external identifier is never read, so the declarations it would
// bring are missing.
bool DeclaresExternalParameterEntity(xmlDtd* dtd) {
    if (dtd == nullptr || dtd->pentities == nullptr) return false;
    bool found = false;
    xmlHashScan(
        static_cast<xmlHashTablePtr>(dtd->pentities),
        [](void* payload, void* data, const xmlChar*) {
            if (static_cast<xmlEntity*>(payload)->etype == XML_EXTERNAL_PARAMETER_ENTITY)
                *static_cast<bool*>(data) = true;
        },
        &found);
    return found;
}

// Every entity reference, in the content, in attribute values and inside the internal entities
// they name, must name an internal entity: an external one is never read and an undeclared one
// has no text, so either would leave content out.
bool AllReferencesResolve(xmlDoc* doc) {
    std::vector<xmlNode*> pending{doc->children};
    std::set<xmlEntity*> visited;
    while (!pending.empty()) {
        xmlNode* node = pending.back();
        pending.pop_back();
        for (; node != nullptr; node = node->next) {
            switch (node->type) {
                case XML_ENTITY_REF_NODE: {
                    xmlEntity* entity = xmlGetDocEntity(doc, node->name);
                    if (entity == nullptr || (entity->etype != XML_INTERNAL_GENERAL_ENTITY &&
                                              entity->etype != XML_INTERNAL_PREDEFINED_ENTITY))
                        return false;
                    if (visited.insert(entity).second) pending.push_back(entity->children);
                    break;  // the reference's own children are the entity itself
                }
                case XML_ELEMENT_NODE:
                    for (xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next)
                        pending.push_back(attr->children);
                    pending.push_back(node->children);
                    break;
                default:
                    break;  // the DTD, text, comments and PIs hold no references to follow
            }
        }
    }
    return true;
}

}  // namespace

TreePtr ParseSafely(std::u16string_view text) {
    std::optional<std::string> utf8 = Utf8Of(text);
    if (!utf8 || utf8->size() > INT_MAX) return nullptr;
    InitParserOnce();
    ParserCtxtPtr ctxt(xmlNewParserCtxt());
    if (!ctxt) throw std::bad_alloc();
    // The text is already decoded; "UTF-8" overrides whatever encoding the declaration names.
    XmlDocPtr doc(xmlCtxtReadMemory(ctxt.get(), utf8->data(), static_cast<int>(utf8->size()), nullptr,
                                    "UTF-8", kParseOptions));
    // A namespace error (an undeclared prefix, an attribute given twice under two prefixes of
    // one namespace) leaves a text that no namespace-aware reader accepts.
    if (!doc || !ctxt->wellFormed || !ctxt->nsWellFormed) return nullptr;
    if (DeclaresExternalParameterEntity(doc->intSubset) || !AllReferencesResolve(doc.get())) return nullptr;
    auto tree = std::make_shared<Tree>();
    tree->doc = std::move(doc);
    tree->declaration = DeclarationOf(text);
    return tree;
}

}  // namespace xmldom
