#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "game/CommandLine.h"

namespace {

struct Answer {
    Game::CommandLineAnswer answer;
    std::string out;
    std::string err;
};

Answer Ask(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"fleetwing"};
    argv.insert(argv.end(), args);
    std::ostringstream out;
    std::ostringstream err;
    Answer a;
    a.answer = Game::AnswerCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
    a.out = out.str();
    a.err = err.str();
    return a;
}

TEST(CommandLine, NoArgumentsPlayAndHelpAndVersionAnswerAndEnd) {
    const Answer none = Ask({});
    EXPECT_TRUE(none.answer.play);
    EXPECT_TRUE(none.out.empty());

    const Answer help = Ask({"--help"});
    EXPECT_FALSE(help.answer.play);
    EXPECT_EQ(help.answer.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: fleetwing", 0), 0u) << help.out;
    EXPECT_TRUE(help.err.empty());

    const Answer version = Ask({"--version"});
    EXPECT_FALSE(version.answer.play);
    EXPECT_EQ(version.answer.status, 0);
    EXPECT_EQ(version.out, "Fleetwing " FLEETWING_TEST_VERSION "\n");
}

// The game takes no other options: anything else must not start it as if nothing was said.
TEST(CommandLine, AnythingElseIsRefusedWithStatusTwo) {
    for (const auto& args : std::vector<std::vector<const char*>>{
             {"--fullscreen"}, {"-h"}, {"--help", "--version"}, {"level3"}}) {
        std::vector<const char*> argv{"fleetwing"};
        argv.insert(argv.end(), args.begin(), args.end());
        std::ostringstream out;
        std::ostringstream err;
        const auto answer =
            Game::AnswerCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
        EXPECT_FALSE(answer.play) << args[0];
        EXPECT_EQ(answer.status, 2) << args[0];
        EXPECT_TRUE(out.str().empty());
        EXPECT_NE(err.str().find("unknown option"), std::string::npos) << err.str();
    }
}

}  // namespace
