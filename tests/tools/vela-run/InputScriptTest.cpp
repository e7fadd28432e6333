#include <gtest/gtest.h>

#include "tools/vela-run/InputScript.h"

using namespace VelaRun;

namespace {
std::vector<InputCommand> Parse(const std::string& text) {
    std::vector<InputCommand> commands;
    std::string error;
    EXPECT_TRUE(ParseInputScript(text, "script.txt", commands, error)) << error;
    return commands;
}

std::string ErrorOf(const std::string& text) {
    std::vector<InputCommand> commands;
    std::string error;
    EXPECT_FALSE(ParseInputScript(text, "script.txt", commands, error));
    return error;
}
}  // namespace

TEST(InputScript, CommandsHoldUntilChangedSkippedFramesApplyTheirsAndEveryKeyNameIsKnown) {
    InputScript script(Parse("# a comment\n\n1\tmove\t-800\t450\n3\tdown\tmouse_left\n"
                             "3\tmove\t100\t-50\n5\tup\tmouse_left\n"),
                       1600, 900);
    script.BeginFrame(1);
    EXPECT_EQ(script.State().cursorX, 0);
    EXPECT_EQ(script.State().cursorY, 0);
    script.BeginFrame(2);
    EXPECT_EQ(script.State().keys[0x01], 0);
    script.BeginFrame(3);
    EXPECT_EQ(script.State().keys[0x01], 0x80);
    EXPECT_EQ(script.State().cursorX, 900);
    EXPECT_EQ(script.State().cursorY, 500);
    script.BeginFrame(4);
    EXPECT_EQ(script.State().keys[0x01], 0x80);
    script.BeginFrame(5);
    EXPECT_EQ(script.State().keys[0x01], 0);

    InputScript keys(Parse("1 down mouse_left\n1 down mouse_right\n2 down escape\n2\tdown\tp\n"
                           "4\tdown\tspace\n4 down enter\n6 down a\n6 down i\n"),
                     1600, 900);
    EXPECT_EQ(keys.State().cursorX, 800);  // resting at the centre
    keys.BeginFrame(10);
    for (unsigned char key : {0x01, 0x02, 0x1B, 0x50, 0x20, 0x0D, 0x41, 0x49}) {
        EXPECT_EQ(keys.State().keys[key], 0x80) << int(key);
    }
}

// Only a key going down is a press; a press lasts the frame it was scripted in.
TEST(InputScript, ADownMarksAPressForItsFrameEvenWhenAnUpFollowsInTheSameFrame) {
    InputScript script(Parse("2\tdown\tp\n2\tup\tp\n4\tdown\tp\n5\tdown\tp\n"
                             "6\tup\tp\n6\tdown\tp\n"),
                       1600, 900);
    const unsigned char expectKey[] = {0, 0, 0, 0x80, 0x80, 0x80};
    const unsigned char expectPressed[] = {0, 0x80, 0, 0x80, 0, 0x80};
    for (unsigned frame = 1; frame <= 6; ++frame) {
        script.BeginFrame(frame);
        EXPECT_EQ(script.State().keys[0x50], expectKey[frame - 1]) << frame;
        EXPECT_EQ(script.State().pressed[0x50], expectPressed[frame - 1]) << frame;
    }
}

TEST(InputScript, MalformedLinesNameTheFileAndLine) {
    EXPECT_EQ(ErrorOf("1\tmove\t1\t2\n\n0\tdown\tp\n"),
              "script.txt:3: '0' is not a frame number from 1");
    EXPECT_EQ(ErrorOf("1\tjump\n"),
              "script.txt:1: unknown command 'jump' (move, down, up or focus)");
    EXPECT_NE(ErrorOf("1\tdown\tshift\n").find("script.txt:1: unknown key 'shift'"),
              std::string::npos);
    EXPECT_EQ(ErrorOf("1\tmove\t1\n"), "script.txt:1: 'move' needs two numbers X and Y");
    EXPECT_EQ(ErrorOf("1\tmove\tx\t2\n"), "script.txt:1: 'move' needs two numbers X and Y");
    EXPECT_EQ(ErrorOf("1\tmove\t1e300\t2\n"), "script.txt:1: 'move' needs two numbers X and Y");
    EXPECT_EQ(ErrorOf("1\tup\n"), "script.txt:1: 'up' needs one key");
    EXPECT_EQ(ErrorOf("-1\tup\tp\n"), "script.txt:1: '-1' is not a frame number from 1");
    EXPECT_EQ(ErrorOf("7\n"), "script.txt:1: expected FRAME<TAB>COMMAND");
}
