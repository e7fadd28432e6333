#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "engine/core/Singleton.h"
#include "engine/scene/ComponentFactory.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine {

// Optional per-frame calls for tools and tests that drive the real loop. Frames count from 1.
struct FrameHooks {
    std::function<void(unsigned frame)> beforeFrame;    // before the frame's time and input
    std::function<void(unsigned frame)> beforePresent;  // picture drawn, not yet swapped
    std::function<void(unsigned frame)> afterPresent;   // swapped, before the frame-rate wait
    std::function<void(unsigned frame)> afterFrame;     // after the frame-rate wait
};

// Starts the engine's services, runs the main loop and ends it on request.
class FrontEnd : public Singleton<FrontEnd> {
public:
    static constexpr const char* kServiceName = "FrontEnd";

    void Init(const ComponentFactory& factory, const std::string& firstScene, void* const& instance,
              const uint32_t& seed, const Vector2& gravity, const std::string& title,
              const Vector2& windowSize, const bool& fullscreen, const bool& cursorVisible,
              const unsigned& frameRate, const bool& console);
    void Run();
    // The loop ends before the next frame; the current frame completes.
    void Quit() { quitRequested_ = true; }
    const std::string& GetTitle() const { return title_; }

    void SetFrameHooks(FrameHooks hooks) { hooks_ = std::move(hooks); }
    // The game always reads "assets"; tools may point Init at another folder first.
    void SetAssetPath(const std::string& path) { assetPath_ = path; }

private:
    void RunFrame();

    bool quitRequested_ = false;
    std::string title_;
    std::string assetPath_ = "assets";
    FrameHooks hooks_;
    unsigned frameNumber_ = 0;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::FrontEnd)
