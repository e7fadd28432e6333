// Runs the real engine offscreen on scenes and sprites a test writes itself, and reads the
// pictures of its frames back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/FrontEnd.h"
#include "engine/entity/Entity.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/Sprite.h"
#include "platform/EBGfxRecorder.h"
#include "platform/EBGraphics.h"
#include "platform/EBImageFile.h"
#include "support/EngineRun.h"
#include "support/TempFolder.h"

namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

const Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

// Per channel, within a few steps of 255: the drivers may round blends differently.
testing::AssertionResult Near(const Rgb& actual, const Rgb& expected) {
    if (std::abs(actual.r - expected.r) <= 3 && std::abs(actual.g - expected.g) <= 3 &&
        std::abs(actual.b - expected.b) <= 3) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << actual << " is not near " << expected;
}

constexpr int kWidth = 1600;
constexpr int kHeight = 900;

// One frame's picture, addressed in screen space: origin at the centre, Y up.
struct Picture {
    std::vector<unsigned char> rgba = std::vector<unsigned char>(kWidth * kHeight * 4);
    // The pixel whose centre is nearest to the screen point.
    Rgb At(float x, float y) const {
        const int column = static_cast<int>(x + kWidth * 0.5f);
        const int row = static_cast<int>(kHeight * 0.5f - y);
        const unsigned char* p = &rgba[(static_cast<std::size_t>(row) * kWidth + column) * 4];
        return Rgb{p[0], p[1], p[2]};
    }
};

// A probe of the picture: what it shows, where, and in which colour.
struct Probe {
    const char* what;
    float x, y;
    Rgb colour;
};

// An entity at `depth` with its three transform lines and one component, whose fields are
// separated by ';'.
std::string Node(int depth, const std::string& name, const std::string& position,
                 const std::string& component, const std::string& fields = "",
                 const std::string& scale = "1,1", const std::string& rotation = "0") {
    const std::string indent(static_cast<std::size_t>(depth), '\t');
    std::string text = indent + "Entity\t" + name + "\n" + indent + "\tt\t" + position + "\n" +
                       indent + "\tr\t" + rotation + "\n" + indent + "\ts\t" + scale + "\n" +
                       indent + "\t" + component + "\n";
    if (!fields.empty()) {
        text += indent + "\t\t";
        for (char c : fields) {
            text += c == ';' ? "\n" + indent + "\t\t" : std::string(1, c);
        }
        text += "\n";
    }
    return text;
}

class Rendering : public testing::Test {
protected:
    // Writes sprites/NAME.png in the test's asset folder, top row first.
    void WriteSprite(const std::string& name, int width, int height,
                     const std::function<Rgb(int x, int y)>& pixel) {
        std::vector<unsigned char> rgba;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Rgb c = pixel(x, y);
                rgba.insert(rgba.end(),
                            {static_cast<unsigned char>(c.r), static_cast<unsigned char>(c.g),
                             static_cast<unsigned char>(c.b), 255});
            }
        }
        const std::string path = assets.Write("sprites/" + name + ".png", "");
        ASSERT_TRUE(EBImageSavePNG(path.c_str(), rgba.data(), width, height));
    }

    void Start(const std::string& scene) {
        assets.Write("scenes/test.scene", scene);
        TestSupport::StartEngine({.assets = assets.Path(), .firstScene = "scenes/test"});
    }

    // Runs `frames` frames; `onFrame` sees each picture before it is shown, `beforeFrame` runs
    // as each frame begins.
    void Run(unsigned frames, const std::function<void(unsigned, const Picture&)>& onFrame,
             const std::function<void(unsigned)>& beforeFrame = nullptr) {
        VelaEngine::FrameHooks hooks;
        hooks.beforeFrame = beforeFrame;
        hooks.beforePresent = [&](unsigned frame) {
            Picture picture;
            ASSERT_TRUE(EBGfxReadPixels(0, 0, kWidth, kHeight, picture.rgba.data()));
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

    TestSupport::TempFolder assets;
};

TEST_F(Rendering, ImagesShowSpriteTintTransparencyFlipsAndCellAndCanvasesUndoTheCamera) {
    WriteSprite("solid", 4, 4, [](int, int) { return Rgb{200, 100, 240}; });
    // Left half red, right half blue; the top row green, to tell the rows apart.
    WriteSprite("halves", 4, 4, [](int x, int y) {
        return y == 0 ? kGreen : x < 2 ? kRed : kBlue;
    });
    // A 4 × 2 sheet of 2 × 2 cells, each its own colour.
    const auto cell = [](int column, int row) {
        return Rgb{40 + 60 * column, 50 + 150 * row, 200 - 40 * column};
    };
    WriteSprite("sheet", 8, 4, [&](int x, int y) { return cell(x / 2, y / 2); });
    const std::string halves = "Sprite\tsprites/halves;w\t200;h\t200";
    const std::string sheet = "Sprite\tsprites/sheet;w\t100;h\t100;cols\t4;rows\t2;initialFrame\t";
    const std::string square = "w\t40;h\t40;tint\t";
    Start(Node(0, "Painted", "300,250", "Image",
               "Sprite\tsprites/solid;w\t100;h\t60;tint\t0.5,1,0.25,1") +
          Node(0, "Plain", "-600,250", "Image", halves) +
          Node(0, "Mirrored", "-300,250", "Image", halves + ";flipX\ttrue") +
          Node(0, "Upside", "0,250", "Image", halves + ";flipY\ttrue") +
          Node(0, "Sheet", "-600,-200", "AnimatedImage", sheet + "5") +
          Node(0, "First", "-300,-200", "AnimatedImage", sheet + "0") +
          Node(0, "Block", "0,-200", "Image", "w\t80;h\t40;tint\t0.2,0.4,0.6,1") +
          Node(0, "Glass", "300,-200", "Image", "w\t80;h\t40;tint\t1,1,1,0.5") +
          Node(0, "Nothing", "600,-200", "Image", "tint\t1,1,1,1") +
          Node(0, "View", "100,50", "Camera", "", "2,2", "90") +
          Node(0, "World", "0,0", "Canvas", "renderMode\tscreenspace") +
          Node(1, "Red", "0,0", "Image", square + "1,0,0,1") + Node(1, "Inner", "0,0", "Canvas") +
          Node(2, "Blue", "0,0", "Image", square + "0,0,1,1") +
          Node(0, "Hud", "0,0", "Canvas", "renderMode\tScreenSpace") +
          Node(1, "Green", "0,0", "Image", square + "0,1,0,1") +
          Node(0, "Loose", "300,0", "Image", square + "1,1,0,1"));
    const Rgb tinted{100, 100, 60}, five = cell(1, 1), block{51, 102, 153};
    const std::vector<Probe> probes = {
        {"tinted sprite", 300, 250, tinted},
        {"tinted, near its top-right corner", 348, 278, tinted},
        {"left of the tinted sprite", 247, 250, kBlack},
        {"plain left half", -650, 250, kRed},
        {"plain right half", -550, 250, kBlue},
        {"plain top row on top", -600, 340, kGreen},
        {"flipped X, left", -350, 250, kBlue},
        {"flipped X, right", -250, 250, kRed},
        {"flipped X, top row still on top", -300, 340, kGreen},
        {"flipped Y, top row at the bottom", -50, 160, kGreen},
        {"flipped Y, top", -50, 340, kRed},
        // Frame 5 is column 1 of row 1, across the whole quad.
        {"frame 5", -600, -200, five},
        {"frame 5, near its top-right corner", -560, -160, five},
        {"frame 0", -300, -200, cell(0, 0)},
        {"no sprite: the tint", 0, -200, block},
        {"no sprite, near a corner", -37, -218, block},
        {"left of the block", -43, -200, kBlack},
        {"the tint's alpha is the transparency", 300, -200, {128, 128, 128}},
        {"no size, nothing visible", 600, -200, kBlack},
        // Only the exact text "ScreenSpace" is screen space: World and Inner are in camera
        // space. Seen from a camera at (100, 50), turned a quarter and doubled, world (0, 0)
        // is at (-25, 50) and a square of 40 is 20 wide.
        {"red, undone once", -25, 50, kRed},
        {"red, near its corner", -33, 42, kRed},
        {"past red's edge", -25, 38, kBlack},
        {"blue, inside a second camera-space canvas: undone twice", 0, 62, kBlue},
        {"screen space ignores the camera", 0, 0, kGreen},
        {"so does no canvas at all", 300, 0, {255, 255, 0}},
        {"where the camera was not undone", -100, -50, kBlack},
    };
    bool seen = false;
    Run(1, [&](unsigned, const Picture& picture) {
        seen = true;
        for (const Probe& probe : probes) {
            EXPECT_TRUE(Near(picture.At(probe.x, probe.y), probe.colour))
                << probe.what << " at " << probe.x << ", " << probe.y;
        }
    });
    EXPECT_TRUE(seen) << "no frame was drawn";
}

// A strip that tiles left to right, slid inside its quad, wraps round at its edge: what leaves
// on one side comes back on the other, and the rows stay where they are.
TEST_F(Rendering, ASlidPictureWrapsRoundInsideItsQuad) {
    WriteSprite("halves", 4, 4, [](int x, int y) {
        return y == 0 ? kGreen : x < 2 ? kRed : kBlue;
    });
    Start(Node(0, "Strip", "0,0", "Image", "Sprite\tsprites/halves;w\t400;h\t200"));
    VelaEngine::Graphics::Image* strip = nullptr;
    Run(
        2,
        [&](unsigned frame, const Picture& picture) {
            if (frame == 1) {
                EXPECT_TRUE(Near(picture.At(-150, 0), kRed)) << "as drawn";
                EXPECT_TRUE(Near(picture.At(150, 0), kBlue)) << "as drawn";
                return;
            }
            // A quarter along: the red's second half, all the blue, then the red's first half.
            for (const Probe& probe : std::vector<Probe>{{"left quarter", -150, 0, kRed},
                                                         {"middle", -10, 0, kBlue},
                                                         {"middle", 90, 0, kBlue},
                                                         {"right quarter, wrapped", 160, 0, kRed},
                                                         {"top row still on top", 160, 90, kGreen},
                                                         {"outside the quad", 210, 0, kBlack}}) {
                EXPECT_TRUE(Near(picture.At(probe.x, probe.y), probe.colour))
                    << probe.what << " at " << probe.x << ", " << probe.y;
            }
        },
        [&](unsigned frame) {
            if (frame == 2) {
                strip =
                    VelaEngine::Entity::Find("Strip")->GetComponent<VelaEngine::Graphics::Image>();
                strip->SetTextureOffset(1.25f);  // a whole turn and a quarter
            }
        });
    ASSERT_NE(strip, nullptr);
    EXPECT_FLOAT_EQ(strip->GetTextureOffset(), 0.25f);
}

TEST_F(Rendering, ParticlesFadeFrameByFrameAndLeaveAfterTheirLifetime) {
    Start(Node(0, "Sparks", "-100,100", "ParticleSystem"));
    VelaEngine::Graphics::ParticleSystem* sparks = nullptr;
    const auto emitAtFrameTwo = [&](unsigned frame) {
        if (frame == 2) {
            sparks = VelaEngine::Entity::Find("Sparks")
                         ->GetComponent<VelaEngine::Graphics::ParticleSystem>();
            // One still white square of 30 units living half a second (30 frames).
            sparks->Emit(1, 0.0f, 0.0f, 0.5f, 30.0f, 0.0f, nullptr, VelaEngine::Vector2());
        }
    };
    Run(
        40,
        [&](unsigned frame, const Picture& picture) {
            // After k updates the alpha is 1 - 0.035 k, drawn at half strength over black.
            const int k = static_cast<int>(frame) - 1;
            const int grey = std::max(0, static_cast<int>(255.0 * (1.0 - 0.035 * k) * 0.5 + 0.5));
            if (k >= 1) {
                EXPECT_TRUE(Near(picture.At(-100, 100), Rgb{grey, grey, grey})) << k << " updates";
                EXPECT_TRUE(Near(picture.At(-80, 100), kBlack));
            }
            if (k == 29) {
                EXPECT_EQ(picture.At(-100, 100).r, 0) << "faded out";
                EXPECT_EQ(sparks->GetParticles().size(), 1u) << "still alive while invisible";
            }
        },
        emitAtFrameTwo);
    ASSERT_NE(sparks, nullptr);
    EXPECT_EQ(sparks->GetParticles().size(), 0u);
}

TEST_F(Rendering, AFadedOutPictureDecodesWhenFirstShownAndSameSizedQuadsShareTheirBuffers) {
    WriteSprite("red", 4, 4, [](int, int) { return kRed; });
    Start(Node(0, "Card", "0,0", "Image", "Sprite\tsprites/red;w\t200;h\t100;tint\t1,1,1,0") +
          Node(0, "Twin", "300,0", "Image", "Sprite\tsprites/red;w\t200;h\t100") +
          Node(0, "Mirror", "-300,0", "Image", "Sprite\tsprites/red;w\t200;h\t100;flipX\tt") +
          Node(0, "Other", "0,300", "Image", "Sprite\tsprites/red;w\t20;h\t100;tint\t1,1,1,0"));
    using VelaEngine::Graphics::Image;
    Image* card = VelaEngine::Entity::Find("Card")->GetComponent<Image>();
    Image* twin = VelaEngine::Entity::Find("Twin")->GetComponent<Image>();
    Image* mirror = VelaEngine::Entity::Find("Mirror")->GetComponent<Image>();
    EXPECT_EQ(card->GetMesh().Built(), twin->GetMesh().Built()) << "one size, one set of buffers";
    EXPECT_NE(card->GetMesh().Built(), mirror->GetMesh().Built()) << "mirrored coordinates";
    EXPECT_NE(card->GetMesh().Built(),
              VelaEngine::Entity::Find("Other")->GetComponent<Image>()->GetMesh().Built());
    EXPECT_FALSE(card->GetSprite()->IsDecoded()) << "nothing has been drawn yet";
    Run(
        2,
        [&](unsigned frame, const Picture& picture) {
            EXPECT_TRUE(Near(picture.At(300, 0), kRed)) << "the twin, frame " << frame;
            EXPECT_TRUE(Near(picture.At(-300, 0), kRed)) << "the mirror, frame " << frame;
            EXPECT_TRUE(Near(picture.At(0, 0), frame == 1 ? kBlack : kRed)) << frame;
        },
        [&](unsigned frame) {
            if (frame == 2) {
                card->SetTint(VelaEngine::Graphics::Color(1.0f, 1.0f, 1.0f, 1.0f));
            }
        });
    EXPECT_TRUE(card->GetSprite()->IsDecoded());
}

TEST_F(Rendering, FramesThatRepeatThePictureAreNotShownAgainUntilSomethingChanges) {
    Start(Node(0, "Block", "0,0", "Image", "w\t100;h\t100;tint\t0,0,1,1"));
    std::vector<unsigned> shown;
    VelaEngine::Graphics::Image* block = nullptr;
    VelaEngine::FrameHooks hooks;
    hooks.beforeFrame = [&](unsigned frame) {
        block = VelaEngine::Entity::Find("Block")->GetComponent<VelaEngine::Graphics::Image>();
        if (frame == 6) {
            block->SetTint(VelaEngine::Graphics::Color(1.0f, 0.0f, 0.0f, 1.0f));
        }
    };
    hooks.afterPresent = [&](unsigned frame) {
        shown.push_back(EBInternal::FramesShown());
        if (frame == 8) {
            VelaEngine::FrontEnd::Get().Quit();
        }
    };
    VelaEngine::FrontEnd::Get().SetFrameHooks(hooks);
    VelaEngine::FrontEnd::Get().Run();
    ASSERT_EQ(shown.size(), 8u);
    // The first frame shows the loaded scene; from frame 3 at the latest the picture repeats,
    // until frame 6 tints the block.
    EXPECT_EQ(shown[3], shown[2]);
    EXPECT_EQ(shown[4], shown[2]);
    EXPECT_EQ(shown[5], shown[4] + 1) << "the new tint is shown";
    EXPECT_EQ(shown[6], shown[5]);
    EXPECT_EQ(shown[7], shown[5]);
}

}  // namespace
