#pragma once
#include <string>

#include "engine/core/Singleton.h"
#include "engine/scene/Vector2.h"

namespace VelaEngine {

// The window service: opens the platform window and graphics, switches full screen.
class Display : public Singleton<Display> {
public:
    static constexpr const char* kServiceName = "Display";

    ~Display() override;

    void Init(const std::string& title, bool fullscreen, bool showCursor, bool createConsole,
              const Vector2& windowSize, void* instance);
    bool IsFullscreen() const { return fullscreen_; }
    void SetFullscreen(bool fullscreen);
    // Width and height of the logical picture, whatever the window's real size.
    const Vector2& GetWindowSize() const { return windowSize_; }

private:
    bool fullscreen_ = false;
    Vector2 windowSize_;
    bool initialised_ = false;
};

}  // namespace VelaEngine

VELA_SERVICE_HOLDER_DECLARATION(VelaEngine::Display)
