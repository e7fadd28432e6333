#include "tools/autopilot/Pilot.h"

#include <algorithm>
#include <cmath>

namespace Autopilot {

namespace {

constexpr float kDt = 1.0f / 60.0f;
constexpr float kGravity = 200.0f;
// The cursor fan: a push of kFanPush at the cursor, fading to nothing at kFanReach.
constexpr float kFanPush = 3500.0f;
constexpr float kFanReach = 300.0f;
// The strongest push the pilot asks for (a share of the fan's), and how fast it corrects the
// velocity (1/s).
constexpr float kMaxPushShare = 0.86f;
constexpr float kGain = 8.0f;
// A "go" leg is done this close to its point; a stop when close and nearly still.
constexpr float kPassRadius = 40.0f;
constexpr float kStopRadius = 12.0f;
constexpr float kStopSpeed = 15.0f;
// Approach of a stop: the fastest speed and the braking the pilot plans with.
constexpr float kStopSpeedMax = 260.0f;
constexpr float kBraking = 350.0f;
// How far from the centre the cursor may go: inside the 1600 x 900 picture.
constexpr int kScreenHalfW = 790;
constexpr int kScreenHalfH = 440;

float Length(Vec v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}
Vec Sub(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
Vec Add(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
Vec Scale(Vec v, float k) {
    return {v.x * k, v.y * k};
}
Vec Unit(Vec v) {
    const float n = Length(v);
    return n > 1e-6f ? Scale(v, 1.0f / n) : Vec{};
}

// Towards `target` at `speed`, slowing so as to stop there.
Vec Approach(Vec from, Vec target, float speed) {
    const Vec e = Sub(target, from);
    const float d = Length(e);
    return Scale(Unit(e), std::min(speed, std::sqrt(2.0f * kBraking * d)));
}

}  // namespace

FanInput FanFor(Vec plane, Vec camera, Vec push, float mass) {
    const float strength = std::min(Length(push) * mass, kFanPush * 0.98f);
    const Vec away = Unit(push);
    FanInput input;
    if (strength < 1.0f) {
        return input;
    }
    // The fan blows from the cursor towards the plane, so the cursor sits behind the plane.
    float distance = kFanReach * (1.0f - strength / kFanPush);
    for (; distance > 20.0f; distance *= 0.9f) {
        const Vec cursor = Sub(Sub(plane, Scale(away, distance)), camera);
        const int x = static_cast<int>(std::lround(cursor.x));
        const int y = static_cast<int>(std::lround(cursor.y));
        if (std::abs(x) <= kScreenHalfW && std::abs(y) <= kScreenHalfH) {
            input.blow = true;
            input.x = x;
            input.y = y;
            return input;
        }
    }
    return input;
}

Pilot::Pilot(std::vector<Leg> legs, std::vector<unsigned> gateFrames)
    : legs_(std::move(legs)), gateFrames_(std::move(gateFrames)) {}

void Pilot::Advance() {
    if (leg_ + 1 < legs_.size()) {
        ++leg_;
    }
}

Vec Pilot::DesiredVelocity(const Observation& seen, Vec plane, Vec velocity) {
    for (;;) {
        const Leg& leg = legs_[leg_];
        const Vec target{leg.x, leg.y};
        switch (leg.kind) {
            case Leg::Kind::Go:
                if (Length(Sub(target, plane)) < kPassRadius) {
                    Advance();
                    continue;
                }
                return Scale(Unit(Sub(target, plane)), leg.speed);
            case Leg::Kind::Land:
                return Scale(Unit(Sub(target, plane)), leg.speed);
            case Leg::Kind::Stop:
                if (Length(Sub(target, plane)) < kStopRadius && Length(velocity) < kStopSpeed) {
                    hold_ = target;
                    holding_ = true;
                    Advance();
                    continue;
                }
                return Approach(plane, target, kStopSpeedMax);
            case Leg::Kind::Gate: {
                const Vec at = holding_ ? hold_ : plane;
                if (gatesPassed_ < gateFrames_.size()) {
                    if (seen.frame >= gateFrames_[gatesPassed_]) {
                        ++gatesPassed_;
                        holding_ = false;
                        Advance();
                        continue;
                    }
                } else if (openGate_ == 0) {
                    openGate_ = gatesPassed_ + 1;
                    openGateFrame_ = seen.frame;
                }
                return Approach(plane, at, kStopSpeedMax);
            }
        }
    }
}

FanInput Pilot::Steer(const Observation& seen) {
    // Where the next frame will see things: the camera eases towards the plane's lead point
    // before the plane steps, and the fan blows after the step.
    const Vec lead = Add(seen.plane, Scale(seen.velocity, 0.5f));
    const Vec camera = Add(seen.camera, Scale(Sub(lead, seen.camera), 2.0f * kDt));
    const Body& body = seen.body;
    const float gravity = kGravity * body.gravityScale;
    const float keep = 1.0f / (1.0f + body.linearDrag * kDt);
    const Vec velocity = Scale(Vec{seen.velocity.x, seen.velocity.y - gravity * kDt}, keep);
    const Vec plane = Add(seen.plane, Scale(velocity, kDt));

    const Vec wanted = DesiredVelocity(seen, plane, velocity);
    // Hold off gravity and the drag the plane will feel at the speed it is asked for.
    const Vec drag = Scale(wanted, body.linearDrag);
    Vec push = Add(Add(Scale(Sub(wanted, velocity), kGain), Vec{0.0f, gravity}), drag);
    const float maxPush = kMaxPushShare * kFanPush / body.mass;
    const float strength = Length(push);
    if (strength > maxPush) {
        push = Scale(push, maxPush / strength);
    }
    return FanFor(plane, camera, push, body.mass);
}

}  // namespace Autopilot
