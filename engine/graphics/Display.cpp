#include "engine/graphics/Display.h"

#include "platform/EBGraphics.h"
#include "platform/EBInput.h"
#include "platform/EBSystem.h"

namespace VelaEngine {

namespace {
constexpr int kShowNormal = 1;
// The engine paces frames itself; the platform's own cap is left effectively off.
constexpr int kPlatformFrameRate = 2147483647;
constexpr int kBlendByOpacity = 1;
}  // namespace

Display::~Display() {
    if (initialised_) {
        EBSysExit();
    }
}

void Display::Init(const std::string& title, bool fullscreen, bool showCursor, bool createConsole,
                   const Vector2& windowSize, void* instance) {
    windowSize_ = windowSize;
    fullscreen_ = fullscreen;
    EBSysInit(instance, kShowNormal, static_cast<int>(windowSize.x), static_cast<int>(windowSize.y),
              createConsole ? 1 : 0, kPlatformFrameRate, nullptr);
    initialised_ = true;
    EBToogleFullScreen(fullscreen ? 1 : 0);
    EBSysSetWindowTitle(title.c_str());
    EBInputShowCursor(showCursor ? 1 : 0);
    EBSysReset();
    EBGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
    EBSysSetWindowTopLeft();
    EBGfxSetBlendMode(kBlendByOpacity);
}

void Display::SetFullscreen(bool fullscreen) {
    fullscreen_ = fullscreen;
    EBToogleFullScreen(fullscreen ? 1 : 0);
    EBSysSetWindowTopLeft();
}

}  // namespace VelaEngine
