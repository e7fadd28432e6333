// The floor under the game: a bare SDL2 + OpenGL program that opens the game's window (same
// size, flags and context attributes) and presents one cleared frame. Prints "first frame
// presented" right after the swap, for a parent that times it from spawn.
// With --loop-seconds=S it then goes on clearing and swapping at 60 frames per second, sleeping
// between frames, and after one second of warm-up measures S seconds: "cpu_pct=" a share of one
// core (what the GL driver alone costs at that rate), then the mean and 99th-percentile interval
// between swaps (what the machine's scheduling allows a sleeping loop).
#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 900;

void RequestContext() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void PresentCleared(SDL_Window* window) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
}

// Clears and swaps at 60 Hz for a second of warm-up and then the given seconds; each frame
// waits until one period after its own start, as the engine's cap does. Prints the processor
// share and the mean and 99th-percentile interval between swaps.
void Loop(SDL_Window* window, double seconds) {
    using Clock = std::chrono::steady_clock;
    using Ms = std::chrono::duration<double, std::milli>;
    const auto period = std::chrono::duration_cast<Clock::duration>(Ms(1000.0 / 60.0));
    const Clock::time_point measureFrom = Clock::now() + std::chrono::seconds(1);
    const Clock::time_point end =
        measureFrom + std::chrono::duration_cast<Clock::duration>(Ms(seconds * 1000.0));
    double cpuStart = -1.0;
    Clock::time_point lastSwap{};
    std::vector<double> intervals;
    while (Clock::now() < end) {
        const Clock::time_point frameStart = Clock::now();
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
        }
        PresentCleared(window);
        const Clock::time_point swapped = Clock::now();
        if (cpuStart >= 0.0) {
            intervals.push_back(Ms(swapped - lastSwap).count());
        } else if (swapped >= measureFrom) {
            cpuStart = CpuSeconds();
        }
        lastSwap = swapped;
        std::this_thread::sleep_until(frameStart + period);
    }
    const double cpu = CpuSeconds() - cpuStart;
    if (intervals.empty()) {
        return;
    }
    double sum = 0.0;
    for (double v : intervals) {
        sum += v;
    }
    std::sort(intervals.begin(), intervals.end());
    const size_t p99 = static_cast<size_t>(0.99 * static_cast<double>(intervals.size() - 1) + 0.5);
    std::printf("cpu_pct=%.2f mean_ms=%.3f p99_ms=%.3f\n", 100.0 * cpu / seconds,
                sum / static_cast<double>(intervals.size()), intervals[p99]);
}

int Fail(const char* what) {
    std::fprintf(stderr, "startup_baseline: %s: %s\n", what, SDL_GetError());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    double loopSeconds = 0.0;
    if (argc > 1 && std::strncmp(argv[1], "--loop-seconds=", 15) == 0) {
        loopSeconds = std::atof(argv[1] + 15);
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return Fail("video");
    }
    RequestContext();
    SDL_Rect screen{0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &screen);
    SDL_Window* window = SDL_CreateWindow("baseline", screen.x + screen.w / 2 - kWidth / 2,
                                          screen.y + screen.h / 2 - kHeight / 2, kWidth, kHeight,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (window == nullptr) {
        return Fail("window");
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return Fail("context");
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(1);
    // Under EGL, GLEW finds no GLX display after loading everything; that is not a failure.
    const GLenum glew = glewInit();
    if ((glew != GLEW_OK && glew != GLEW_ERROR_NO_GLX_DISPLAY) || !GLEW_VERSION_2_0) {
        return Fail("OpenGL 2.0");
    }
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    PresentCleared(window);
    std::puts("first frame presented");
    std::fflush(stdout);
    if (loopSeconds > 0.0) {
        Loop(window, loopSeconds);
    }

    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
