#pragma once
// Flies the plane along a route by placing the cursor fan: it works out the push the plane
// needs this frame and puts the cursor on the far side of the plane at the distance that
// gives that push.
#include <cstddef>
#include <vector>

#include "tools/autopilot/Route.h"

namespace Autopilot {

struct Vec {
    float x = 0.0f;
    float y = 0.0f;
};

// The plane's body fields: levels tune how heavy and how draggy it is.
struct Body {
    float mass = 1.0f;
    float gravityScale = 1.0f;
    float linearDrag = 0.0f;
};

// What the pilot sees after a frame: the plane's position, velocity and body and the
// camera's position, all in world units.
struct Observation {
    unsigned frame = 0;  // the frame that has just run; 0 before the first
    Vec plane;
    Vec velocity;
    Vec camera;
    Body body;
};

// The input for the next frame: the cursor in screen pixels (origin at the centre, Y up)
// and whether the left button is held.
struct FanInput {
    bool blow = false;
    int x = 0;
    int y = 0;
};

class Pilot {
public:
    // `gateFrames` holds a departure frame for each gate leg, in order; a gate without one
    // holds the plane for good (the search stops a run there).
    Pilot(std::vector<Leg> legs, std::vector<unsigned> gateFrames);

    FanInput Steer(const Observation& seen);

    std::size_t LegIndex() const { return leg_; }
    // The number of the gate the plane waits at without a departure frame, from 1; 0 if none.
    std::size_t OpenGate() const { return openGate_; }
    // The frame in which the plane settled at that gate.
    unsigned OpenGateFrame() const { return openGateFrame_; }

private:
    Vec DesiredVelocity(const Observation& seen, Vec plane, Vec velocity);
    void Advance();

    std::vector<Leg> legs_;
    std::vector<unsigned> gateFrames_;
    std::size_t leg_ = 0;
    std::size_t gatesPassed_ = 0;
    Vec hold_;  // where the plane waits at a gate: the last stop
    bool holding_ = false;
    std::size_t openGate_ = 0;
    unsigned openGateFrame_ = 0;
};

// The cursor that pushes a plane of `mass` at `plane` with acceleration `push` (world units
// per second squared), seen through a camera at `camera`; blow is false when no cursor on
// the screen can give that push.
FanInput FanFor(Vec plane, Vec camera, Vec push, float mass);

}  // namespace Autopilot
