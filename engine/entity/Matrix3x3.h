#pragma once
// The engine's 2D affine matrix: row-major, points are column vectors, translation in the
// third column. Reads and writes its nine numbers as text.
#include <string>

#include "engine/scene/Object.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine {

class Matrix3x3 : public Object, public ISerializedField {
public:
    // m[row][column]; starts as the identity.
    float m[3][3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};

    Matrix3x3() = default;
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
};

}  // namespace VelaEngine
