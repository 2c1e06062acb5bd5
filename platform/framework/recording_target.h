// A drawing target that keeps a list of what was asked of it, for tests.
#pragma once

#include <string>
#include <vector>

#include "platform/framework/dc.h"

namespace framework {

struct DrawOp {
    enum Kind { FillRect, Ellipse, Select } kind;
    RECT rect;           // FillRect, Ellipse
    GdiObjectData pen;   // Ellipse: the current pen; Select: the object selected
    GdiObjectData brush; // FillRect: the brush given; Ellipse: the current brush
};

class RecordingTarget final : public DrawTarget {
public:
    const std::vector<DrawOp>& ops() const { return ops_; }

    void FillRect(const RECT& rect, const GdiObjectData& brush) override {
        ops_.push_back({DrawOp::FillRect, rect, {}, brush});
    }
    void Ellipse(const RECT& rect, const GdiObjectData& pen, const GdiObjectData& brush) override {
        ops_.push_back({DrawOp::Ellipse, rect, pen, brush});
    }
    void Selected(const GdiObjectData& object) override { ops_.push_back({DrawOp::Select, {}, object, {}}); }

private:
    std::vector<DrawOp> ops_;
};

}  // namespace framework
