#include <gtest/gtest.h>

#include <string>

#include "support/VelaRunProcess.h"

namespace {

using TestSupport::RunCommand;
using TestSupport::ShellQuote;

// Software centres list the game from this file: it must validate without a single remark,
// and name the desktop entry and icon that the install puts in place.
TEST(Metainfo, ValidatesCleanlyAndNamesTheInstalledDesktopEntry) {
    const std::string file =
        std::string(FLEETWING_SOURCE_DIR) + "/packaging/fleetwing.metainfo.xml";
    const TestSupport::RunResult run =
        RunCommand("appstreamcli validate --no-net " + ShellQuote(file) + " 2>&1");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("W:"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("I:"), std::string::npos) << run.output;
    const TestSupport::RunResult launchable = RunCommand(
        "grep -c " + ShellQuote("<launchable type=\"desktop-id\">fleetwing.desktop</launchable>") +
        " " + ShellQuote(file));
    EXPECT_EQ(launchable.output, "1\n");
}

}  // namespace
