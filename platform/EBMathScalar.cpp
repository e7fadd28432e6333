#include <cmath>

#include "platform/EBMath.h"

float EBDegToRad(float degrees) {
    return degrees * 0.017453292f;
}
float EBRadToDeg(float radians) {
    return radians * 57.295784f;
}

float EBSin(float x) {
    return static_cast<float>(std::sin(static_cast<double>(x)));
}
float EBCos(float x) {
    return static_cast<float>(std::cos(static_cast<double>(x)));
}
float EBTan(float x) {
    return static_cast<float>(std::tan(static_cast<double>(x)));
}
float EBASin(float x) {
    return static_cast<float>(std::asin(static_cast<double>(x)));
}
float EBACos(float x) {
    return static_cast<float>(std::acos(static_cast<double>(x)));
}
float EBATan(float x) {
    return static_cast<float>(std::atan(static_cast<double>(x)));
}

bool EBIsPowOf2(unsigned x) {
    return x != 0 && (x & (x - 1)) == 0;
}

unsigned EBNextPowOf2(unsigned x) {
    // Smear the highest bit into every lower one; the next power is one above that.
    x |= x >> 1;
    x |= x >> 2;
    x |= x >> 4;
    x |= x >> 8;
    x |= x >> 16;
    return x + 1;
}

unsigned EBLogBase2(unsigned x) {
    unsigned log = 0;
    while (x >= 2) {
        x >>= 1;
        ++log;
    }
    return log;
}

float EBClamp(float x, float lo, float hi) {
    if (x < lo) {
        return lo;
    }
    if (x > hi) {
        return hi;
    }
    return x;
}

float EBWrap(float x, float lo, float hi) {
    // One wrap only: a value more than a whole range away stays outside.
    if (x < lo) {
        return x + (hi - lo);
    }
    if (x > hi) {
        return x - (hi - lo);
    }
    return x;
}

float EBMin(float a, float b) {
    return a < b ? a : b;
}
float EBMax(float a, float b) {
    return a > b ? a : b;
}
bool EBInRange(float x, float lo, float hi) {
    return lo <= x && x <= hi;
}
