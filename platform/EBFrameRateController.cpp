#include <SDL2/SDL.h>

#include "platform/EBSystem.h"

namespace {
struct FrameRateState {
    unsigned frameCount = 0;
    double maxFrameRate = 0.0;
    double minFrameTime = 0.0;
    double frameTime = 0.0;
    double frameRate = 0.0;
    double counterPeriod = 0.0;
    Uint64 frameStart = 0;
    Uint64 frameEnd = 0;
};

FrameRateState& State() {
    // Never destroyed: the engine's services close the window at exit, after other statics.
    static FrameRateState* state = new FrameRateState();
    return *state;
}

double TimeForRate(double rate) {
    return rate != 0.0 ? 1.0 / rate : 0.0;
}
}  // namespace

int EBFrameRateControllerInit(int frameRate) {
    FrameRateState& s = State();
    s.frameCount = 0;
    s.maxFrameRate = static_cast<double>(static_cast<unsigned>(frameRate));
    s.frameRate = s.maxFrameRate;
    s.minFrameTime = TimeForRate(s.maxFrameRate);
    s.frameTime = s.minFrameTime;
    s.counterPeriod = 1.0 / static_cast<double>(SDL_GetPerformanceFrequency());
    s.frameStart = SDL_GetPerformanceCounter();
    return 1;
}

void EBFrameRateControllerReset() {
    FrameRateState& s = State();
    s.frameCount = 0;
    s.frameRate = s.maxFrameRate;
    s.minFrameTime = TimeForRate(s.maxFrameRate);
    s.frameTime = s.minFrameTime;
}

void EBFrameRateControllerStart() {
    FrameRateState& s = State();
    s.counterPeriod = 1.0 / static_cast<double>(SDL_GetPerformanceFrequency());
    s.frameStart = SDL_GetPerformanceCounter();
}

void EBFrameRateControllerEnd() {
    FrameRateState& s = State();
    // A busy wait: the engine never asks this controller to hold a frame back.
    do {
        s.frameEnd = SDL_GetPerformanceCounter();
        s.frameTime = static_cast<double>(s.frameEnd - s.frameStart) * s.counterPeriod;
    } while (s.minFrameTime > s.frameTime);
    s.frameRate = TimeForRate(s.frameTime);
    ++s.frameCount;
}

double EBFrameRateControllerGetFrameTime() {
    return State().frameTime;
}
unsigned EBFrameRateControllerGetFrameCount() {
    return State().frameCount;
}
