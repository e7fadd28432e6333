#pragma once
// What a dynamic body's last whole frame began from, read and found: a frame that begins the
// same, among candidates that have not changed, finds the same contacts, so the body may
// repeat them without working them out again (see DynamicBody2DRest.cpp).
#include <array>
#include <cstdint>

#include "engine/entity/Matrix3x3.h"
#include "engine/physics/KeptListMark.h"

namespace VelaEngine {

class Entity;

struct RestPair {
    float x = 0.0f;
    float y = 0.0f;
};

struct RestContact {
    // The other party, and its place in the frame's candidate list: the list stands while the
    // broad phase's layout does.
    Entity* other = nullptr;
    std::uint32_t index = 0;
    // The velocity the contact gave the body.
    RestPair velocity;
    // EntityTree::ShapeStamp() when the other party was last found with no body and no
    // contact listener, after this body's hooks; 0: not since the contact was recorded.
    std::uint64_t otherQuietPast = 0;
};

// What a step and its contacts read of the body and the world besides the transform's turn
// and scale and the circle: two frames that begin with the same inputs, to the bit, and the
// same RestShape, find the same contacts.
struct RestInputs {
    // The matrix under the roots (RootPassBaseVersion).
    std::uint64_t baseVersion = 0;
    RestPair position;
    RestPair velocity;
    RestPair gravity;
    float gravityScale = 0.0f;
    float drag = 0.0f;
    float dt = 0.0f;
};

// The rest of what the contacts read, which the record checks once, when the frame ends: from
// then on the transform's edit count stands for it.
struct RestShape {
    float rotation = 0.0f;
    RestPair scale;
    // The body's own circle.
    float radius = 0.0f;
    float bounce = 0.0f;
    float friction = 0.0f;
};

// Laid out by when a frame reads it: a repeated frame reads the fields up to the first
// contact and nothing after it.
struct RestRecord {
    static constexpr std::size_t kContacts = 4;

    // The record is whole and may be repeated.
    bool valid = false;
    std::uint8_t count = 0;
    // While a frame is being recorded or repeated: what its collision pass began under.
    bool drafting = false;
    std::uint8_t nearCalls = 0;
    // The depth of the stack the contacts were found under.
    std::uint32_t depth = 0;
    // The transform's edit count when the frame ended as it began: while it stands, so do the
    // inputs the transform and the circle hold.
    std::uint64_t transformEdits = 0;
    // EntityTree::ShapeStamp() when the body was last found with no parent, no children
    // and no other step or collision listener; 0: not since the record was made. A parent
    // comes with a change the transform notes.
    std::uint64_t alonePast = 0;
    // What the step began from and read: the frame ended where it began.
    RestInputs inputs;
    // The broad phase's kept list the contacts came from, as it stood when they were done.
    Collision::KeptListMark list;
    std::uint64_t edits = 0;
    std::uint64_t shapes = 0;
    // The transform's edit count once the last contact had placed the body, before its hooks.
    std::uint64_t resolvedEdits = 0;
    // The stack's matrix the contacts were found under.
    Matrix3x3 world;
    std::array<RestContact, kContacts> contacts{};
    RestShape shape;
};

}  // namespace VelaEngine
