#include "engine/entity/Matrix3x3.h"

#include <cmath>

#include "engine/entity/Angles.h"
#include "engine/scene/ValueText.h"

namespace VelaEngine {

Matrix3x3::Matrix3x3(float m00, float m01, float m02, float m10, float m11, float m12, float m20,
                     float m21, float m22)
    : m{{m00, m01, m02}, {m10, m11, m12}, {m20, m21, m22}} {}

Matrix3x3 Matrix3x3::FromTRS(const Vector2& position, float rotationDegrees, const Vector2& scale) {
    const float a = rotationDegrees * kDegToRad;
    const float c = Cos(a);
    const float s = Sin(a);
    // T · R · S multiplied out; the zeros of the factors add nothing.
    return Matrix3x3(c * scale.x, -s * scale.y, position.x, s * scale.x, c * scale.y, position.y,
                     0.0f, 0.0f, 1.0f);
}

namespace {
// Every product's element, summed left to right, so that all of them agree to the bit.
inline float Element(const Matrix3x3::Elements& a, const Matrix3x3::Elements& b, int i, int j) {
    return a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
}
}  // namespace

Matrix3x3 Matrix3x3::operator*(const Matrix3x3& o) const {
    // Built in place: the passes multiply for every placed entity.
    const auto at = [&](int i, int j) { return Element(m, o.m, i, j); };
    return Matrix3x3(at(0, 0), at(0, 1), at(0, 2), at(1, 0), at(1, 1), at(1, 2), at(2, 0), at(2, 1),
                     at(2, 2));
}

void Matrix3x3::MultiplyInto(const Elements& a, const Elements& b, Elements& out) {
    for (int i = 0; i < 3; ++i) {
        out[i][0] = Element(a, b, i, 0);
        out[i][1] = Element(a, b, i, 1);
        out[i][2] = Element(a, b, i, 2);
    }
}

void Matrix3x3::MultiplyThirdColumnInto(const Elements& a, const Elements& b, Elements& out) {
    out[0][2] = Element(a, b, 0, 2);
    out[1][2] = Element(a, b, 1, 2);
    out[2][2] = Element(a, b, 2, 2);
}

Point2 Matrix3x3::operator*(const Point2& p) const {
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2], m[1][0] * p.x + m[1][1] * p.y + m[1][2]};
}

Matrix3x3 Matrix3x3::Inverse() const {
    const float c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    const float c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
    const float c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
    const float det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
    const float k = 1.0f / det;
    return Matrix3x3(c00 * k, (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * k,
                     (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * k, c01 * k,
                     (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * k,
                     (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * k, c02 * k,
                     (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * k,
                     (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * k);
}

bool Matrix3x3::IsNearIdentity(float tolerance) const {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const float expected = i == j ? 1.0f : 0.0f;
            // Written so that a NaN element never counts as the identity.
            if (!(std::fabs(m[i][j] - expected) <= tolerance)) {
                return false;
            }
        }
    }
    return true;
}

bool Matrix3x3::operator==(const Matrix3x3& o) const {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (m[i][j] != o.m[i][j]) {
                return false;
            }
        }
    }
    return true;
}

std::string Matrix3x3::ToString() const {
    return "Matrix{" + Serialize() + "}";
}

void Matrix3x3::Deserialize(const std::string& text) {
    float values[9];
    for (int i = 0; i < 9; ++i) {
        values[i] = m[i / 3][i % 3];
    }
    ReadFloats(text, values, 9, "Matrix3x3 wrong Serialization format");
    for (int i = 0; i < 9; ++i) {
        m[i / 3][i % 3] = values[i];
    }
}

std::string Matrix3x3::Serialize() const {
    return FormatFloats(&m[0][0], 9);
}

}  // namespace VelaEngine
