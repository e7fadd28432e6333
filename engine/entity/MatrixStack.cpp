#include "engine/entity/MatrixStack.h"

namespace VelaEngine {

void MatrixStack::Push(const Matrix3x3& m) {
    ++edits_;
    saved_.push_back(current_);
    current_ = current_ * m;
}

void MatrixStack::Pop() {
    // Only a failing check builds its message: every pass pops once per transformed entity.
    if (saved_.empty()) {
        Assert(false, "MatrixStack Pop without a matching Push");
    }
    ++edits_;
    current_ = saved_.back();
    saved_.pop_back();
}

void MatrixStack::Reset() {
    ++edits_;
    current_ = Matrix3x3::Identity();
    loaded_ = 0;
}

}  // namespace VelaEngine
