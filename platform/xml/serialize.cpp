#include "platform/xml/serialize.h"

#include <libxml/xmlsave.h>

#include <memory>
#include <string_view>

#include "platform/xml/utf.h"

namespace xmldom {

namespace {

constexpr std::u16string_view kNodeSeparator = u"\r\n";

struct BufferFree {
    void operator()(xmlBuffer* buffer) const { xmlBufferFree(buffer); }
};
struct SaveCtxtClose {
    void operator()(xmlSaveCtxt* ctxt) const { xmlSaveClose(ctxt); }
};

}  // namespace

std::optional<std::u16string> Serialize(const Tree& tree) {
    if (!tree.doc) return std::u16string();
    std::unique_ptr<xmlBuffer, BufferFree> buffer(xmlBufferCreate());
    if (!buffer) return std::nullopt;
    std::unique_ptr<xmlSaveCtxt, SaveCtxtClose> save(xmlSaveToBuffer(buffer.get(), "UTF-8", 0));
    if (!save) return std::nullopt;
    std::u16string out = tree.declaration;
    for (xmlNode* node = tree.doc->children; node != nullptr; node = node->next) {
        if (xmlSaveTree(save.get(), node) < 0 || xmlSaveFlush(save.get()) < 0) return std::nullopt;
        std::optional<std::u16string> text = Utf16Of(std::string_view(
            reinterpret_cast<const char*>(xmlBufferContent(buffer.get())), xmlBufferLength(buffer.get())));
        if (!text) return std::nullopt;
        if (!out.empty()) out += kNodeSeparator;
        out += *text;
        xmlBufferEmpty(buffer.get());
    }
    return out;
}

}  // namespace xmldom
