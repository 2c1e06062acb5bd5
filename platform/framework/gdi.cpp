#include "platform/framework/gdi.h"

#include <map>
#include <memory>

namespace {

const GdiObjectData kStock[] = {
    {GdiObjectData::Brush, RGB(255, 255, 255), false, 0, WHITE_BRUSH},
    {GdiObjectData::Brush, RGB(192, 192, 192), false, 0, LTGRAY_BRUSH},
    {GdiObjectData::Brush, RGB(128, 128, 128), false, 0, GRAY_BRUSH},
    {GdiObjectData::Brush, RGB(64, 64, 64), false, 0, DKGRAY_BRUSH},
    {GdiObjectData::Brush, RGB(0, 0, 0), false, 0, BLACK_BRUSH},
    {GdiObjectData::Brush, RGB(0, 0, 0), true, 0, NULL_BRUSH},
    {GdiObjectData::Pen, RGB(255, 255, 255), false, 1, WHITE_PEN},
    {GdiObjectData::Pen, RGB(0, 0, 0), false, 1, BLACK_PEN},
    {GdiObjectData::Pen, RGB(0, 0, 0), true, 1, NULL_PEN},
};

// Wrapper objects for handles, one per handle and thread.
template <class Wrapper>
Wrapper* WrapperFor(HGDIOBJ handle) {
    struct Holder : Wrapper {
        explicit Holder(HGDIOBJ h) { this->m_hObject = h; }
    };
    thread_local std::map<HGDIOBJ, std::unique_ptr<Holder>> wrappers;
    if (handle == nullptr) return nullptr;
    auto& slot = wrappers[handle];
    if (!slot) slot = std::make_unique<Holder>(handle);
    return slot.get();
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
    if (index < 0 || index >= static_cast<int>(sizeof kStock / sizeof kStock[0])) return nullptr;
    return &kStock[index];
}

CBrush::CBrush(COLORREF color) {
    own_ = {GdiObjectData::Brush, color, false, 0, -1};
    m_hObject = &own_;
}

CBrush* CBrush::FromHandle(HBRUSH brush) { return WrapperFor<CBrush>(brush); }

CPen::CPen(int style, int width, COLORREF color) {
    own_ = {GdiObjectData::Pen, color, style == PS_NULL, width < 1 ? 1 : width, -1};
    m_hObject = &own_;
}

CPen* CPen::FromHandle(HPEN pen) { return WrapperFor<CPen>(pen); }
