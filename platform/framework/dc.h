// A device context: the current pen and brush, and the drawing operations, carried out by a
// target. Targets: RasterTarget (pixels of an image, see raster_target.h) and RecordingTarget
// (a list of the operations, see recording_target.h). A new context draws with the black stock pen
// and the white stock brush.
#pragma once

#include "platform/framework/gdi.h"

struct HDC__;
using HDC = HDC__*;

namespace framework {

// Where a context's drawing goes. Rectangles are as the caller gave them.
class DrawTarget {
public:
    virtual ~DrawTarget() = default;
    virtual void FillRect(const RECT& rect, const GdiObjectData& brush) = 0;
    virtual void Ellipse(const RECT& rect, const GdiObjectData& pen, const GdiObjectData& brush) = 0;
    // An object was selected into the context.
    virtual void Selected(const GdiObjectData&) {}
};

}  // namespace framework

class CDC {
public:
    explicit CDC(framework::DrawTarget& target);
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() { return reinterpret_cast<HDC>(this); }
    // The context behind a handle from GetSafeHdc.
    static CDC* FromHandle(HDC hdc) { return reinterpret_cast<CDC*>(hdc); }

    // Each returns the object it replaced (null when the argument is no object of that kind).
    CGdiObject* SelectStockObject(int index);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CPen* GetCurrentPen() const { return CPen::FromHandle(pen_); }
    CBrush* GetCurrentBrush() const { return CBrush::FromHandle(brush_); }

    // Fills the rectangle (right and bottom edges excluded) with the brush; an empty rectangle
    // fills nothing.
    void FillRect(LPCRECT rect, CBrush* brush);
    // The ellipse inscribed in the rectangle, outlined with the current pen and filled with the
    // current brush.
    BOOL Ellipse(LPCRECT rect);
    BOOL Ellipse(int x1, int y1, int x2, int y2);

private:
    HGDIOBJ Select(HGDIOBJ object);

    framework::DrawTarget& target_;
    HPEN pen_;
    HBRUSH brush_;
};
