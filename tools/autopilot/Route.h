#pragma once
// A level's route for the autopilot: the legs it flies, one per line of a route file.
#include <string>
#include <vector>

namespace Autopilot {

struct Leg {
    enum class Kind {
        Go,    // fly towards a point at up to a speed; done near it
        Stop,  // fly to a point and settle there
        Gate,  // hover at the last stop until a departure frame
        Land,  // the last leg: fly into the win flag until the level ends
    };
    Kind kind = Kind::Go;
    float x = 0.0f;
    float y = 0.0f;
    float speed = 0.0f;
};

// Lines: "go X Y SPEED", "stop X Y", "gate", "land X Y SPEED"; blank lines and lines
// starting with # are skipped. On a malformed line returns false with `error` naming it.
bool ParseRoute(const std::string& text, std::vector<Leg>& legs, std::string& error);

}  // namespace Autopilot
