#pragma once
// The engine's 2D affine matrix: row-major, points are column vectors, translation in the
// third column. Reads and writes its nine numbers as text.
#include <cstring>
#include <string>

#include "engine/scene/Object.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine {

class Matrix3x3 : public Object, public ISerializedField {
public:
    using Elements = float[3][3];
    // m[row][column]; starts as the identity.
    float m[3][3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};

    Matrix3x3() = default;
    // The nine numbers in one block: the element-wise copy the compiler writes is a loop, and
    // the passes copy a placement for every entity they enter.
    Matrix3x3(const Matrix3x3& o) : Object(o), ISerializedField(o) { CopyElements(o); }
    Matrix3x3(Matrix3x3&& o) noexcept : Object(o), ISerializedField(o) { CopyElements(o); }
    Matrix3x3& operator=(const Matrix3x3& o) {
        CopyElements(o);
        return *this;
    }
    Matrix3x3& operator=(Matrix3x3&& o) noexcept {
        CopyElements(o);
        return *this;
    }
    ~Matrix3x3() override = default;
    Matrix3x3(float m00, float m01, float m02, float m10, float m11, float m12, float m20,
              float m21, float m22);

    static Matrix3x3 Identity() { return Matrix3x3(); }
    // Translation · rotation (degrees, counter-clockwise) · scale: scale first, move last.
    static Matrix3x3 FromTRS(const Vector2& position, float rotationDegrees, const Vector2& scale);

    Matrix3x3 operator*(const Matrix3x3& o) const;
    // The third row is taken to be (0, 0, 1).
    Point2 operator*(const Point2& p) const;
    // Adjugate over determinant; a singular matrix gives non-finite elements.
    Matrix3x3 Inverse() const;
    // Every element within `tolerance` of the identity's.
    bool IsNearIdentity(float tolerance) const;
    bool operator==(const Matrix3x3& o) const;

    std::string ToString() const override;
    void Deserialize(const std::string& text) override;
    std::string Serialize() const override;

    // out := a × b, with out neither a nor b: the product without a temporary to copy. On
    // the elements alone, so that tables of placements need not hold whole matrices.
    static void MultiplyInto(const Elements& a, const Elements& b, Elements& out);
    // Only the third column of out := a × b, the rest left alone: where just b's third column
    // changed since out was a × b, this makes it a × b again.
    static void MultiplyThirdColumnInto(const Elements& a, const Elements& b, Elements& out);

private:
    void CopyElements(const Matrix3x3& o) {
        if (this != &o) {
            // Row by row: GCC 12 takes a block copy of the whole array for one of its rows.
            std::memcpy(m[0], o.m[0], sizeof m[0]);
            std::memcpy(m[1], o.m[1], sizeof m[1]);
            std::memcpy(m[2], o.m[2], sizeof m[2]);
        }
    }
};

}  // namespace VelaEngine
