#include <cmath>
#include <cstdio>

#include "platform/EBMath.h"

namespace {
bool NearlyEqual(float a, float b) {
    return std::fabs(a - b) < EB_EPSILON;
}

const char* const kMatrixSeparator = "--------------------------\n";
}  // namespace

// Vector4

Vector4 Vector4::operator-() const {
    return Vector4(-x, -y, -z, -w);
}
Vector4 Vector4::operator+(const Vector4& o) const {
    return Vector4(x + o.x, y + o.y, z + o.z, w + o.w);
}
Vector4 Vector4::operator-(const Vector4& o) const {
    return Vector4(x - o.x, y - o.y, z - o.z, w - o.w);
}
Vector4 Vector4::operator*(float s) const {
    return Vector4(x * s, y * s, z * s, w * s);
}
Vector4 Vector4::operator/(float s) const {
    return Vector4(x / s, y / s, z / s, w / s);
}
Vector4& Vector4::operator+=(const Vector4& o) {
    return *this = *this + o;
}
Vector4& Vector4::operator-=(const Vector4& o) {
    return *this = *this - o;
}
Vector4& Vector4::operator*=(float s) {
    return *this = *this * s;
}
Vector4& Vector4::operator/=(float s) {
    return *this = *this / s;
}

bool Vector4::operator==(const Vector4& o) const {
    return NearlyEqual(x, o.x) && NearlyEqual(y, o.y) && NearlyEqual(z, o.z) && NearlyEqual(w, o.w);
}
bool Vector4::operator!=(const Vector4& o) const {
    return !(*this == o);
}

float Vector4::Dot(const Vector4& o) const {
    return x * o.x + y * o.y + z * o.z;
}

Vector4 Vector4::Cross(const Vector4& o) const {
    return Vector4(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x, 0.0f);
}

float Vector4::Length() const {
    return std::sqrt(LengthSq());
}
float Vector4::LengthSq() const {
    return x * x + y * y + z * z + w * w;
}

Vector4& Vector4::Normalize() {
    const float length = Length();
    if (std::fabs(length) > EB_EPSILON) {
        *this /= length;
    }
    return *this;
}

Vector4& Vector4::Zero() {
    return *this = Vector4();
}

// Point4

Point4 Point4::operator-() const {
    return Point4(-x, -y, -z, -w);
}
Point4 Point4::operator+(const Vector4& v) const {
    return Point4(x + v.x, y + v.y, z + v.z, w + v.w);
}
Point4 Point4::operator-(const Vector4& v) const {
    return Point4(x - v.x, y - v.y, z - v.z, w - v.w);
}
Vector4 Point4::operator-(const Point4& o) const {
    return Vector4(x - o.x, y - o.y, z - o.z, w - o.w);
}
Point4& Point4::operator+=(const Vector4& v) {
    return *this = *this + v;
}
Point4& Point4::operator-=(const Vector4& v) {
    return *this = *this - v;
}

bool Point4::operator==(const Point4& o) const {
    return NearlyEqual(x, o.x) && NearlyEqual(y, o.y) && NearlyEqual(z, o.z) && NearlyEqual(w, o.w);
}
bool Point4::operator!=(const Point4& o) const {
    return !(*this == o);
}

Point4& Point4::Zero() {
    return *this = Point4();
}

void Point4::Print() const {
    std::printf("%5.3f, %5.3f, %5.3f, %5.3f\n", x, y, z, w);
}

// Matrix4

Matrix4::Matrix4() {
    Zero();
}

Matrix4::Matrix4(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
                 float m13, float m20, float m21, float m22, float m23, float m30, float m31,
                 float m32, float m33)
    : m{m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33} {}

Point4 Matrix4::operator*(const Point4& p) const {
    Point4 r;
    float* out[4] = {&r.x, &r.y, &r.z, &r.w};
    for (int row = 0; row < 4; ++row) {
        *out[row] = At(row, 0) * p.x + At(row, 1) * p.y + At(row, 2) * p.z + At(row, 3) * p.w;
    }
    return r;
}

Vector4 Matrix4::operator*(const Vector4& v) const {
    const Point4 r = *this * Point4(v.x, v.y, v.z, v.w);
    return Vector4(r.x, r.y, r.z, r.w);
}

Matrix4 Matrix4::operator+(const Matrix4& o) const {
    Matrix4 r;
    for (int i = 0; i < 16; ++i) {
        r.m[i] = m[i] + o.m[i];
    }
    return r;
}

Matrix4 Matrix4::operator-(const Matrix4& o) const {
    return *this + o * -1.0f;
}

Matrix4 Matrix4::operator*(const Matrix4& o) const {
    Matrix4 r;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += At(row, k) * o.At(k, col);
            }
            r.At(row, col) = sum;
        }
    }
    return r;
}

Matrix4& Matrix4::operator+=(const Matrix4& o) {
    return *this = *this + o;
}
Matrix4& Matrix4::operator-=(const Matrix4& o) {
    return *this = *this - o;
}
Matrix4& Matrix4::operator*=(const Matrix4& o) {
    return *this = *this * o;
}

Matrix4 Matrix4::operator*(float s) const {
    Matrix4 r;
    for (int i = 0; i < 16; ++i) {
        r.m[i] = m[i] * s;
    }
    return r;
}

Matrix4 Matrix4::operator/(float s) const {
    Matrix4 r;
    for (int i = 0; i < 16; ++i) {
        r.m[i] = m[i] / s;
    }
    return r;
}

Matrix4& Matrix4::operator*=(float s) {
    return *this = *this * s;
}
Matrix4& Matrix4::operator/=(float s) {
    return *this = *this / s;
}

bool Matrix4::operator==(const Matrix4& o) const {
    for (int i = 0; i < 16; ++i) {
        if (!NearlyEqual(m[i], o.m[i])) {
            return false;
        }
    }
    return true;
}
bool Matrix4::operator!=(const Matrix4& o) const {
    return !(*this == o);
}

Matrix4& Matrix4::Zero() {
    for (float& value : m) {
        value = 0.0f;
    }
    return *this;
}

Matrix4& Matrix4::Identity() {
    Zero();
    for (int i = 0; i < 4; ++i) {
        At(i, i) = 1.0f;
    }
    return *this;
}

Matrix4& Matrix4::LookAtRH(const Point4& eye, const Point4& target, const Vector4& up) {
    Vector4 zAxis = eye - target;
    zAxis.w = 0.0f;
    zAxis.Normalize();
    Vector4 xAxis = up.Cross(zAxis).Normalize();
    const Vector4 yAxis = zAxis.Cross(xAxis);
    const Vector4 eyeVector(eye.x, eye.y, eye.z, 0.0f);
    *this = Matrix4(xAxis.x, xAxis.y, xAxis.z, -xAxis.Dot(eyeVector),  //
                    yAxis.x, yAxis.y, yAxis.z, -yAxis.Dot(eyeVector),  //
                    zAxis.x, zAxis.y, zAxis.z, -zAxis.Dot(eyeVector),  //
                    0.0f, 0.0f, 0.0f, 1.0f);
    return *this;
}

Matrix4 Matrix4::Transposed() const {
    Matrix4 r;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            r.At(col, row) = At(row, col);
        }
    }
    return r;
}

void Matrix4::Print() const {
    std::printf("%s", kMatrixSeparator);
    for (int row = 0; row < 4; ++row) {
        std::printf("%5.3f %5.3f %5.3f %5.3f\n", At(row, 0), At(row, 1), At(row, 2), At(row, 3));
    }
    std::printf("%s", kMatrixSeparator);
}
