#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/EBImageFile.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

using CommandResult = TestSupport::RunResult;
using TestSupport::RunCommand;
using TestSupport::ShellQuote;

namespace {

namespace fs = std::filesystem;

bool HaveCommand(const std::string& name) {
    return RunCommand("command -v " + ShellQuote(name)).status == 0;
}

std::map<std::string, std::string> ReadDesktopEntry(const std::string& path) {
    std::map<std::string, std::string> keys;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            keys[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return keys;
}

// desktop-file-validate, where it is installed, finds nothing to report.
void ExpectValidDesktopEntry(const std::string& path) {
    if (HaveCommand("desktop-file-validate")) {
        const CommandResult valid = RunCommand("desktop-file-validate " + ShellQuote(path));
        EXPECT_EQ(valid.status, 0) << valid.output;
        EXPECT_EQ(valid.output, "");
    }
}

bool IsExecutable(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IXOTH);
}

}  // namespace

// Started from a folder without assets, the game finds its own; SDL turns SIGTERM into a quit
// event, which ends the loop like a window close. A game that will not quit is killed after 60 s.
constexpr const char* kStartThenTerminate = R"(
"$0" > log 2>&1 & game=$!
for i in $(seq 600); do grep -q "LOG: Scene successfully loaded" log && break; sleep 0.1; done
kill -TERM $game
for i in $(seq 600); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
kill -KILL $game 2>/dev/null && echo "still running 60 s after SIGTERM"
wait $game; echo "exit status $?"; cat log)";

// Builds the Debian package from the already-built tree, as `make package` does, unpacks it
// and checks what a player and the archive see of it.
TEST(DebianPackageTest, TheInstalledGameRunsAndThePackageIsComplete) {
    for (const char* tool : {"cpack", "dpkg-deb"}) {
        if (!HaveCommand(tool)) {
            GTEST_SKIP() << tool << " is not installed, so the package cannot be built here";
        }
    }
    TestSupport::TempFolder work;
    const CommandResult built = RunCommand("cd " + ShellQuote(FLEETWING_BINARY_DIR) +
                                           " && cpack -G DEB -B " + ShellQuote(work.File("out")));
    ASSERT_EQ(built.status, 0) << built.output;
    std::string deb;
    for (const fs::directory_entry& entry : fs::directory_iterator(work.File("out"))) {
        deb = entry.path().extension() == ".deb" ? entry.path().string() : deb;
    }
    ASSERT_FALSE(deb.empty()) << built.output;
    const std::string root = work.File("root");
    const CommandResult unpacked =
        RunCommand("dpkg-deb -x " + ShellQuote(deb) + " " + ShellQuote(root));
    ASSERT_EQ(unpacked.status, 0) << unpacked.output;
    // A working directory with no "assets" folder in it.
    const std::string elsewhere = work.File("elsewhere");
    fs::create_directories(elsewhere);
    const std::string prefix =
        "cd " + ShellQuote(elsewhere) + " && HOME=" + ShellQuote(work.Path()) + " ";

    const CommandResult run = RunCommand(
        prefix + "SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy sh -c " +
        ShellQuote(kStartThenTerminate) + " " + ShellQuote(root + "/usr/games/fleetwing"));
    EXPECT_NE(run.output.find("LOG: Scene successfully loaded"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("LOG: Quitting game loop"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("exit status 0\n"), std::string::npos) << run.output;

    // vela-run reads the installed assets unless told otherwise; a relative --assets is the
    // caller's own folder.
    const std::string runner = ShellQuote(root + "/usr/games/vela-run");
    const CommandResult installed = RunCommand(prefix + runner + " --frames 2");
    EXPECT_EQ(installed.status, 0) << installed.output;
    EXPECT_NE(installed.output.find("usr/share/fleetwing/assets/scenes/splash.scene"),
              std::string::npos)
        << installed.output;
    work.Write("elsewhere/assets/scenes/mine.scene", "/ the caller's scene\n");
    const CommandResult mine =
        RunCommand(prefix + runner + " --assets assets --scene scenes/mine --frames 1");
    EXPECT_EQ(mine.status, 0) << mine.output;
    EXPECT_NE(mine.output.find("Loading Scene: assets/scenes/mine.scene"), std::string::npos)
        << mine.output;

    auto field = [&](const std::string& name) {
        const std::string value = RunCommand("dpkg-deb -f " + ShellQuote(deb) + " " + name).output;
        return value.substr(0, value.find_last_not_of(" \n") + 1);
    };
    EXPECT_EQ(field("Package"), "fleetwing");
    EXPECT_EQ(field("Section"), "games");
    const std::string depends = field("Depends");
    for (const char* library : {"libsdl2-2.0-0", "libsdl2-image-2.0-0", "libsdl2-mixer-2.0-0",
                                "libsdl2-ttf-2.0-0", "libglew", "libgl1", "fonts-dejavu-core"}) {
        EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;
    }
    // Debian reads the package's history from the changelog; its newest entry is this version.
    const std::string changelog =
        RunCommand("zcat " + ShellQuote(root + "/usr/share/doc/fleetwing/changelog.gz")).output;
    EXPECT_EQ(changelog.rfind("fleetwing (" + field("Version") + ") ", 0), 0u) << changelog;
    EXPECT_TRUE(fs::exists(root + "/usr/share/doc/fleetwing/copyright"));

    // The desktop entry starts the launcher in the data folder.
    const std::string entryPath = root + "/usr/share/applications/fleetwing.desktop";
    std::map<std::string, std::string> entry = ReadDesktopEntry(entryPath);
    EXPECT_EQ(entry["Exec"], "/usr/games/fleetwing");
    EXPECT_EQ(entry["Path"], "/usr/share/fleetwing");
    EXPECT_EQ(entry["Icon"], "fleetwing");
    EXPECT_TRUE(fs::is_directory(root + entry["Path"] + "/assets/sprites"));
    EXPECT_TRUE(IsExecutable(root + entry["Exec"]));
    ExpectValidDesktopEntry(entryPath);
    std::vector<unsigned char> pixels;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(
        EBImageLoadPNG((root + "/usr/share/icons/hicolor/256x256/apps/fleetwing.png").c_str(),
                       pixels, width, height));
    EXPECT_EQ(width, 256);
    EXPECT_EQ(height, 256);
    for (const char* page :
         {"/usr/share/man/man6/fleetwing.6.gz", "/usr/share/man/man1/vela-run.1.gz"}) {
        const CommandResult text = RunCommand("zcat " + ShellQuote(root + page));
        EXPECT_EQ(text.status, 0) << page;
        EXPECT_NE(text.output.find(".SH SYNOPSIS"), std::string::npos) << page;
    }

    if (HaveCommand("lintian")) {  // make package installs it
        const CommandResult report = RunCommand("lintian --fail-on error " + ShellQuote(deb));
        EXPECT_EQ(report.status, 0) << report.output;
        EXPECT_EQ(("\n" + report.output).find("\nE: "), std::string::npos) << report.output;
    }
}

// A plain `cmake --install` into a prefix with a blank: the desktop entry quotes the command so
// the launcher is still found.
TEST(InstallPrefixTest, DesktopEntryQuotesACommandWithABlank) {
    TestSupport::TempFolder work;
    const std::string prefix = work.Path() + "/my games";
    const CommandResult installed = RunCommand(
        "cmake --install " + ShellQuote(FLEETWING_BINARY_DIR) + " --prefix " + ShellQuote(prefix));
    ASSERT_EQ(installed.status, 0) << installed.output;
    const std::string entryPath = prefix + "/share/applications/fleetwing.desktop";
    std::map<std::string, std::string> entry = ReadDesktopEntry(entryPath);
    EXPECT_EQ(entry["Exec"], "\"" + prefix + "/games/fleetwing\"");
    EXPECT_EQ(entry["TryExec"], prefix + "/games/fleetwing");
    EXPECT_EQ(entry["Path"], prefix + "/share/fleetwing");
    EXPECT_TRUE(IsExecutable(prefix + "/games/fleetwing"));
    ExpectValidDesktopEntry(entryPath);
}
