#pragma once
// Runs the real engine offscreen on scenes and sprites a test writes itself, and reads the
// picture of a chosen frame back.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/FrontEnd.h"
#include "engine/entity/SceneRoots.h"
#include "platform/EBGraphics.h"
#include "platform/EBImageFile.h"
#include "support/EngineRun.h"
#include "support/TempFolder.h"

namespace RenderTest {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// Per channel, within a few steps of 255: the drivers may round blends differently.
inline testing::AssertionResult Near(const Rgb& actual, const Rgb& expected, int tolerance = 3) {
    if (std::abs(actual.r - expected.r) <= tolerance &&
        std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << actual << " is not near " << expected;
}

constexpr int kWidth = 1600;
constexpr int kHeight = 900;

// One frame's picture, addressed in screen space: origin at the centre, Y up.
class Picture {
public:
    Picture() : rgba_(static_cast<std::size_t>(kWidth) * kHeight * 4) {}
    bool Read() { return EBGfxReadPixels(0, 0, kWidth, kHeight, rgba_.data()); }
    // The pixel whose centre is nearest to the screen point.
    Rgb At(float x, float y) const {
        const int column = static_cast<int>(x + kWidth * 0.5f);
        const int row = static_cast<int>(kHeight * 0.5f - y);
        const unsigned char* p = &rgba_[(static_cast<std::size_t>(row) * kWidth + column) * 4];
        return Rgb{p[0], p[1], p[2]};
    }

private:
    std::vector<unsigned char> rgba_;
};

// Pixel rows for a sprite file, top row first.
using PixelFunction = std::function<Rgb(int x, int y)>;

class RenderWorld : public testing::Test {
protected:
    // Writes assets/sprites/NAME.png in the test's asset folder.
    void WriteSprite(const std::string& name, int width, int height, const PixelFunction& pixel) {
        std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Rgb c = pixel(x, y);
                unsigned char* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
                p[0] = static_cast<unsigned char>(c.r);
                p[1] = static_cast<unsigned char>(c.g);
                p[2] = static_cast<unsigned char>(c.b);
                p[3] = 255;
            }
        }
        assets.Write("sprites/" + name + ".png", "");
        const std::string path = assets.Path() + "/sprites/" + name + ".png";
        ASSERT_TRUE(EBImageSavePNG(path.c_str(), rgba.data(), width, height));
    }
    void WriteScene(const std::string& text) { assets.Write("scenes/test.scene", text); }

    void Start() {
        TestSupport::EngineOptions options;
        options.assets = assets.Path();
        options.firstScene = "scenes/test";
        TestSupport::StartEngine(options);
    }

    // Runs `frames` frames; `onFrame` sees each picture before it is shown, `beforeFrame` runs
    // as each frame begins.
    void Run(unsigned frames, const std::function<void(unsigned, const Picture&)>& onFrame,
             const std::function<void(unsigned)>& beforeFrame = nullptr) {
        VelaEngine::FrameHooks hooks;
        hooks.beforeFrame = beforeFrame;
        hooks.beforePresent = [&](unsigned frame) {
            Picture picture;
            ASSERT_TRUE(picture.Read());
            onFrame(frame, picture);
        };
        hooks.afterFrame = [frames](unsigned frame) {
            if (frame >= frames) {
                VelaEngine::FrontEnd::Get().Quit();
            }
        };
        VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
        VelaEngine::FrontEnd::Get().Run();
    }

    // The picture of one frame, after running up to it.
    Picture RunTo(unsigned frame) {
        Picture shot;
        Run(frame, [&](unsigned at, const Picture& picture) {
            if (at == frame) {
                shot = picture;
            }
        });
        return shot;
    }

    TestSupport::TempFolder assets;
};

}  // namespace RenderTest
