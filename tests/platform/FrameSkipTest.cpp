#include <gtest/gtest.h>

#include "platform/EBGfxRecorder.h"
#include "tests/platform/PlatformTestSupport.h"

using namespace PlatformTest;

namespace {

// Frames through the library's own start and end, counting the swaps the window got.
class FrameSkip : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        square_ = Square(20.0f, kVertexWhite);
        EBSysFrameEnd();
    }
    void TearDown() override {
        EBGfxMeshFree(square_);
        WindowTest::TearDown();
    }

    // One frame of the white square at (x, 0) in the tint's red; true when it was swapped.
    bool DrawFrame(float x, float red = 1.0f) {
        const unsigned before = EBInternal::FramesShown();
        EBSysFrameStart();
        DrawSquare(x, red);
        EBSysFrameEnd();
        return EBInternal::FramesShown() != before;
    }
    void DrawSquare(float x, float red) {
        EBGfxSetRenderMode(1);
        EBGfxSetTintColor(red, 1.0f, 1.0f, 1.0f);
        EBGfxSetTransparency(1.0f);
        EBGfxSetPosition(x, 0.0f);
        EBGfxMeshDraw(square_, 3);
    }

    EBGfxVertexList* square_ = nullptr;
};

}  // namespace

TEST_F(FrameSkip, AFrameThatRepeatsThePictureOnScreenIsNeitherDrawnNorSwapped) {
    EXPECT_TRUE(DrawFrame(0.0f)) << "the first picture is shown";
    EXPECT_FALSE(DrawFrame(0.0f)) << "the same commands again";
    EXPECT_FALSE(DrawFrame(0.0f));
    EXPECT_TRUE(DrawFrame(10.0f)) << "a moved square";
    EXPECT_TRUE(DrawFrame(10.0f, 0.5f)) << "another tint";
    EXPECT_FALSE(DrawFrame(10.0f, 0.5f));
    EXPECT_TRUE(DrawFrame(0.0f)) << "back to the older picture: it is drawn again";
    EBGfxSetBackgroundColor(0.0f, 0.0f, 1.0f);
    EXPECT_TRUE(DrawFrame(0.0f)) << "another clear colour";
    EBGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);

    EBGfxSetSkipUnchangedFrames(false);
    EXPECT_TRUE(DrawFrame(0.0f));
    EXPECT_TRUE(DrawFrame(0.0f)) << "switched off, every frame is shown";
    EBGfxSetSkipUnchangedFrames(true);
}

TEST_F(FrameSkip, PixelsReadInARepeatedFrameAreItsPictureAndThatFrameIsShown) {
    ASSERT_TRUE(DrawFrame(0.0f));
    ASSERT_FALSE(DrawFrame(0.0f));
    const unsigned before = EBInternal::FramesShown();
    EBSysFrameStart();
    DrawSquare(0.0f, 1.0f);
    const Frame frame = Read();
    EBSysFrameEnd();
    EXPECT_EQ(frame.At(80, 45), kWhite) << "the square at the centre";
    EXPECT_EQ(frame.At(5, 5), kBlack);
    EXPECT_EQ(frame.CountNot(kBlack), 40 * 40);
    EXPECT_EQ(EBInternal::FramesShown(), before + 1) << "a frame read from is swapped too";
}

TEST_F(FrameSkip, AGpuObjectMadeOrFreedDuringAFrameDrawsItAtOnce) {
    ASSERT_TRUE(DrawFrame(0.0f));
    ASSERT_FALSE(DrawFrame(0.0f));
    const unsigned before = EBInternal::FramesShown();
    EBSysFrameStart();
    DrawSquare(0.0f, 1.0f);
    // The buffers of a mesh drawn earlier in the frame may be freed right after: what was
    // kept runs first, while they still exist.
    EBGfxVertexList* replaced = square_;
    square_ = Square(10.0f, kVertexWhite);
    EBGfxMeshFree(replaced);
    DrawSquare(40.0f, 1.0f);
    const Frame frame = Read();
    EBSysFrameEnd();
    EXPECT_EQ(EBInternal::FramesShown(), before + 1);
    EXPECT_EQ(frame.CountNot(kBlack), 40 * 40 + 20 * 20);
    EXPECT_TRUE(DrawFrame(0.0f)) << "the next frame is compared with nothing";
}
