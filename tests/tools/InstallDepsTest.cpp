#include <unistd.h>

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

using TestSupport::RunCommand;
using TestSupport::ShellQuote;

namespace {

const std::string kScript = FLEETWING_SOURCE_DIR "/tools/install-deps.sh";

std::set<std::string> ListedPackages() {
    std::set<std::string> packages;
    std::istringstream lines(RunCommand(kScript + " --list").output);
    for (std::string line; std::getline(lines, line);) {
        packages.insert(line);
    }
    return packages;
}

// The programs that building, packaging and the tests run, beside the package that holds each.
TEST(InstallDeps, EveryProgramTheBuildAndTheTestsRunComesFromAListedPackage) {
    const std::set<std::string> listed = ListedPackages();
    ASSERT_GT(listed.size(), 10u);
    struct Program {
        const char* name;
        const char* package;
    };
    const Program programs[] = {
        {"file", "file"},    // CPack's Debian generator
        {"cpack", "cmake"},  // the Debian package test
        {"dpkg-shlibdeps", "dpkg-dev"},
        {"desktop-file-validate", "desktop-file-utils"},
        {"Xvfb", "xvfb"},          // the full-screen tests
        {"xauth", "xauth"},        // xvfb-run, for make bench
        {"ninja", "ninja-build"},  // the build
        {"git", "git"},            // cloning the repository
    };
    for (const Program& p : programs) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(listed.count(p.package), 1u) << p.package << " is not installed by the script";
        const TestSupport::RunResult owner =
            RunCommand("dpkg -S \"$(readlink -f \"$(command -v " + std::string(p.name) + ")\")\"");
        EXPECT_EQ(owner.output.substr(0, owner.output.find(':')), p.package)
            << "not installed here, or from another package: " << owner.output;
    }
    EXPECT_EQ(listed.count("ca-certificates"), 1u) << "git clones over https";
}

TEST(InstallDeps, WithoutRootOrAWorkingSudoItSaysWhatToRunAsRoot) {
    // For a user who is not root: a PATH with what the script needs and no sudo, then one
    // whose sudo would ask for a password (it refuses, as `sudo -n` does then).
    for (const bool withSudo : {false, true}) {
        SCOPED_TRACE(withSudo ? "sudo refuses" : "no sudo");
        TestSupport::TempFolder bin;
        std::string links = "chmod 755 " + ShellQuote(bin.Path());
        for (const char* tool : {"bash", "dpkg-query", "grep", "id"}) {
            links += " && ln -s \"$(command -v " + std::string(tool) + ")\" " +
                     ShellQuote(bin.File(tool));
        }
        if (withSudo) {
            links += " && printf '#!/bin/sh\\nexit 1\\n' > " + ShellQuote(bin.File("sudo")) +
                     " && chmod 755 " + ShellQuote(bin.File("sudo"));
        }
        // A copy, since the checkout may sit in a home folder that user cannot enter.
        const std::string script = bin.File("install-deps.sh");
        links += " && cp " + ShellQuote(kScript) + " " + ShellQuote(script) + " && chmod 755 " +
                 ShellQuote(script);
        ASSERT_EQ(RunCommand(links).status, 0);
        const std::string user = geteuid() == 0 ? "runuser -u nobody -- " : "";
        const TestSupport::RunResult run =
            RunCommand("cd /tmp && " + user + "/usr/bin/env PATH=" + ShellQuote(bin.Path()) + " " +
                       ShellQuote(script) + " fleetwing-no-such-package");
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find("Cannot install them without root; as root, run:"),
                  std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("apt-get update && apt-get install -y --no-install-recommends "
                                  "fleetwing-no-such-package"),
                  std::string::npos)
            << run.output;
    }
}

}  // namespace
