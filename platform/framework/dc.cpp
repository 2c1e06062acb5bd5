#include "platform/framework/dc.h"

CDC::CDC(framework::DrawTarget& target)
    : target_(target), pen_(GetStockObject(BLACK_PEN)), brush_(GetStockObject(WHITE_BRUSH)) {}

HGDIOBJ CDC::Select(HGDIOBJ object) {
    if (object == nullptr) return nullptr;
    HGDIOBJ& slot = object->kind == GdiObjectData::Pen ? pen_ : brush_;
    HGDIOBJ old = slot;
    slot = object;
    target_.Selected(*object);
    return old;
}

CGdiObject* CDC::SelectStockObject(int index) {
    HGDIOBJ object = GetStockObject(index);
    if (object == nullptr) return nullptr;
    HGDIOBJ old = Select(object);
    if (object->kind == GdiObjectData::Pen) return CPen::FromHandle(old);
    return CBrush::FromHandle(old);
}

CPen* CDC::SelectObject(CPen* pen) {
    if (pen == nullptr || pen->GetSafeHandle() == nullptr || pen->GetSafeHandle()->kind != GdiObjectData::Pen)
        return nullptr;
    return CPen::FromHandle(Select(pen->GetSafeHandle()));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (brush == nullptr || brush->GetSafeHandle() == nullptr ||
        brush->GetSafeHandle()->kind != GdiObjectData::Brush)
        return nullptr;
    return CBrush::FromHandle(Select(brush->GetSafeHandle()));
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    if (rect == nullptr || brush == nullptr || brush->GetSafeHandle() == nullptr) return;
    target_.FillRect(*rect, *brush->GetSafeHandle());
}

BOOL CDC::Ellipse(LPCRECT rect) {
    if (rect == nullptr) return FALSE;
    target_.Ellipse(*rect, *pen_, *brush_);
    return TRUE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) {
    const RECT rect{x1, y1, x2, y2};
    return Ellipse(&rect);
}
