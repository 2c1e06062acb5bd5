// Drawing objects: rectangles, colours, and the pens and brushes a device context draws with,
// among them the stock objects every context can use.
#pragma once

#include "platform/com/types.h"

using COLORREF = DWORD;  // 0x00BBGGRR

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using RECTL = RECT;
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPCRECTL = const RECTL*;

struct POINT {
    LONG x;
    LONG y;
};

struct SIZE {
    LONG cx;
    LONG cy;
};
using SIZEL = SIZE;

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}  // NOLINT: converts as the platform's does
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    operator LPCRECT() const { return this; }
};

// Stock objects.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;

inline constexpr int PS_SOLID = 0;
inline constexpr int PS_NULL = 5;

// What a pen or brush is. A handle points at it; stock objects live for the process.
struct GdiObjectData {
    enum Kind { Pen, Brush } kind;
    COLORREF color;
    bool hollow;   // NULL_PEN, NULL_BRUSH: draws nothing
    int width;     // pens
    int stockId;   // -1 for an object that is not a stock object
};
using HGDIOBJ = const GdiObjectData*;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;

// A stock object; null for an index that names none.
HGDIOBJ GetStockObject(int index);

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

protected:
    HGDIOBJ m_hObject = nullptr;
    GdiObjectData own_{};  // for objects created here rather than taken from the stock
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color);
    // A brush object for the handle; the object lives for the thread.
    static CBrush* FromHandle(HBRUSH brush);
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color);
    static CPen* FromHandle(HPEN pen);
};
