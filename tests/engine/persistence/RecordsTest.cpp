#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>

#include "engine/persistence/DataStore.h"
#include "engine/persistence/RecordPaths.h"
#include "engine/persistence/RecordText.h"
#include "engine/persistence/Records.h"
#include "engine/persistence/SafeFile.h"
#include "support/FatalCatcher.h"
#include "support/FileModes.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"
#include "tests/engine/persistence/RecordVersions.h"

using namespace VelaEngine;
namespace fs = std::filesystem;
using TestSupport::ReadText;

namespace {
std::vector<std::string> SortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The services a running game would have, in a home folder of the test's own.
class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseHome(folder_.Path());
        Records::Create();
    }
    void TearDown() override {
        Records::Release();
        DataStore::Release();
    }

    void UseHome(const std::string& home) {
        setenv("HOME", home.c_str(), 1);
        DataStore::Release();
        DataStore::Create();
        DataStore::Get().Init("data");
    }
    // The next run of the game: a fresh service reading what was saved.
    void Restart() {
        Records::Release();
        Records::Create();
        Records::Get().Init("records", RecordVersions::kTitle);
    }
    // A record file left by an earlier run, then that run's successor.
    void RestartWith(const std::string& text) {
        folder_.Write(kRecordFile, text);
        Restart();
    }
    std::string RecordPath() const { return folder_.File(kRecordFile); }

    // Named after the title handed to Records at start-up.
    static inline const std::string kRecordFile =
        std::string("VelaEngine/data/records/") + RecordVersions::kTitle + ".record";

    TestSupport::TempFolder folder_;
};

TEST_F(RecordsTest, TypedValuesSurviveASaveAndARestartInAWholeFileAndNoFileStartsEmpty) {
    testing::internal::CaptureStdout();
    Records::Get().Init("records", RecordVersions::kTitle);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(Records::Get().GetFilePath(), RecordPath());
    Records& records = Records::Get();
    EXPECT_EQ(records.GetInt("planeSkin", 6), 6);
    records.SetInt("planeSkin", -7);
    records.SetFloat("shortestTime", 12.3456789f);
    records.SetBool("foundstar3_1", true);
    records.SetBool("foundstar3_2", false);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(records.Save());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "LOG: Saving Record to: " + RecordPath() + "\n");
    const std::string text = ReadText(RecordPath());
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(SortedLines(text),
              (std::vector<std::string>{"foundstar3_1\tt", "foundstar3_2\tf", "planeSkin\t-7",
                                        "shortestTime\t12.345679"}));
    Restart();
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), -7);
    EXPECT_EQ(Records::Get().GetFloat("shortestTime", 0.0f), std::strtof("12.345679", nullptr));
    EXPECT_TRUE(Records::Get().GetBool("foundstar3_1", false));
    EXPECT_FALSE(Records::Get().GetBool("foundstar3_2", true));
    EXPECT_EQ(Records::Get().GetFloat("volume", 0.75f), 0.75f);

    // A save replaces the whole file and keeps its permissions.
    chmod(RecordPath().c_str(), 0600);
    Records::Get().Clear();
    ASSERT_TRUE(Records::Get().Save());
    EXPECT_EQ(fs::file_size(RecordPath()), 0u) << "an empty map writes an empty file";
    Records::Get().SetInt("planeSkin", 2);
    ASSERT_TRUE(Records::Get().Save());
    EXPECT_EQ(ReadText(RecordPath()), "planeSkin\t2");
    EXPECT_EQ(fs::status(RecordPath()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// Without HOME the save goes under USERPROFILE, then under the account's own home.
TEST_F(RecordsTest, TheHomeFolderFallsBackToUserProfileThenTheAccount) {
    setenv("USERPROFILE", "C:\\Users\\pat", 1);
    UseHome("");
    EXPECT_EQ(DataStore::Get().GetPath(), "C:\\Users\\pat/VelaEngine/data");
    unsetenv("HOME");
    unsetenv("USERPROFILE");
    // The account's home as the system names it, whether or not that folder exists (a
    // build user's often does not).
    const passwd* account = getpwuid(getuid());
    ASSERT_NE(account, nullptr);
    EXPECT_EQ(HomeFolder(), account->pw_dir);
}

TEST_F(RecordsTest, OddFilesAreReadAsFarAsTheyMakeSense) {
    testing::internal::CaptureStdout();
    RestartWith("\r\n\nplaneSkin\t1\r\n\r\n\r\nvolume\t0.25\r\ntrue\n42\n\n\r\nplaneSkin\t3\tmore");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "LOG: Key already exists\n");
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 3);
    EXPECT_EQ(Records::Get().GetFloat("volume", 0.0f), 0.25f);
    // A line without a tab is both key and value.
    EXPECT_TRUE(Records::Get().GetBool("true", false));
    EXPECT_EQ(Records::Get().GetInt("42", 0), 42);

    // Garbage loads what it can, and saves back as it was: a line without a tab too, which
    // reads back as the same entry.
    std::string garbage("\0\x01\xff\xfe\t\x80", 6);
    const std::string noTab(2 * 1024 * 1024, 'x');
    garbage += "\n" + noTab + "\n";
    garbage += std::string("\0\0\0\n", 4);
    garbage += "planeSkin\t4\n\xc3\x28\t\xa0\xa1";
    RestartWith(garbage);
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 4);
    ASSERT_TRUE(Records::Get().Save());
    const std::vector<std::string> firstSave = SortedLines(ReadText(RecordPath()));
    EXPECT_EQ(firstSave, SortedLines(garbage)) << "every line is written back as it was read";
    EXPECT_EQ(fs::file_size(RecordPath()), garbage.size());
    Restart();
    ASSERT_TRUE(Records::Get().Save());
    EXPECT_EQ(SortedLines(ReadText(RecordPath())), firstSave) << "the damage stays as it was";
    std::string value;
    EXPECT_TRUE(Records::Get().GetText(noTab, value));
    EXPECT_EQ(value, noTab) << "a line without a tab is both key and value";
}

// A record file that is there but cannot be read whole: what was read is used, one line tells
// why, and no save of this run replaces the file, not even a reset (Clear, then Save).
TEST_F(RecordsTest, AFileThatCannotBeReadWholeIsNeverSavedOver) {
    const std::string bigText = "planeSkin\t3\nvolume\t0.2" + std::string(17 << 20, 'z');
    const struct {
        const char* name;
        std::function<void()> make;
        const char* problem;
        int planeSkin;  // as read; 0 for nothing
    } rows[] = {
        {"no read permission",
         [&] {
             folder_.Write(kRecordFile, "planeSkin\t2\nvolume\t0.2");
             chmod(RecordPath().c_str(), 0);
         },
         "cannot open: Permission denied", 0},
        {"over the size cap", [&] { folder_.Write(kRecordFile, bigText); },
         "larger than 16777216 bytes", 3},
        {"a folder", [&] { fs::create_directories(RecordPath() + "/inside"); },
         "not a regular file", 0},
        {"a pipe",
         [&] {
             fs::create_directories(fs::path(RecordPath()).parent_path());
             mkfifo(RecordPath().c_str(), 0644);
         },
         "not a regular file", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(folder_.File("VelaEngine"));
        row.make();
        const auto before = fs::symlink_status(RecordPath());
        const std::string beforeText = fs::is_regular_file(before) ? ReadText(RecordPath()) : "";
        std::string log;
        {
            TestSupport::FileModesApply modes;
            testing::internal::CaptureStdout();
            Restart();
            EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), row.planeSkin);
            EXPECT_EQ(Records::Get().GetFloat("volume", 0.5f), 0.5f) << "a cut line is dropped";
            Records::Get().SetInt("highestLevelUnlocked", 4);
            EXPECT_FALSE(Records::Get().Save());
            Records::Get().Clear();
            EXPECT_FALSE(Records::Get().Save());
            log = testing::internal::GetCapturedStdout();
        }
        EXPECT_EQ(log, "LOG: Record file not read whole, this run will not save over it: " +
                           RecordPath() + " (" + row.problem + ")\n");
        EXPECT_EQ(fs::symlink_status(RecordPath()).type(), before.type());
        EXPECT_EQ(fs::symlink_status(RecordPath()).permissions(), before.permissions());
        if (fs::is_regular_file(before)) {
            chmod(RecordPath().c_str(), 0644);
            EXPECT_TRUE(ReadText(RecordPath()) == beforeText) << "the file was changed";
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(RecordPath()).parent_path()),
                                fs::directory_iterator()),
                  1)
            << "nothing was written beside it";
    }
    // Once the file reads again, so do saves.
    fs::remove_all(folder_.File("VelaEngine"));
    RestartWith("planeSkin\t2");
    EXPECT_TRUE(Records::Get().Save());
}

// Saves that died before their rename left temporary files; the next save removes them, but
// not those of a save still running (which holds its file locked) nor other files.
TEST_F(RecordsTest, ASaveRemovesTheTemporaryFilesOfSavesThatDied) {
    RestartWith("planeSkin\t1");
    const std::string stale[] = {"Fleetwing.record.a1B2c3", "Fleetwing.record.ZZZZZZ",
                                 "Fleetwing.record.000000"};
    const std::string kept[] = {"Fleetwing.record.bak", "Fleetwing.record.a1B2c",
                                "Fleetwing.record.a1B2c34", "Other.record.a1B2c3",
                                "Fleetwing.record.a-B2c3"};
    for (const std::string& name : stale) {
        folder_.Write("VelaEngine/data/records/" + name, "half a save");
    }
    for (const std::string& name : kept) {
        folder_.Write("VelaEngine/data/records/" + name, "not ours");
    }
    const std::string running =
        folder_.Write("VelaEngine/data/records/Fleetwing.record.Run123", "saving");
    const int held = open(running.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    Records::Get().SetInt("planeSkin", 2);
    ASSERT_TRUE(Records::Get().Save());
    close(held);
    for (const std::string& name : stale) {
        EXPECT_FALSE(fs::exists(folder_.File("VelaEngine/data/records/" + name))) << name;
    }
    for (const std::string& name : kept) {
        EXPECT_TRUE(fs::exists(folder_.File("VelaEngine/data/records/" + name))) << name;
    }
    EXPECT_TRUE(fs::exists(running)) << "a running save keeps its file";
    EXPECT_EQ(ReadText(RecordPath()), "planeSkin\t2");
}

TEST_F(RecordsTest, AFailedSaveIsLoggedKeepsTheOldFileAndTheValuesAndTheGameGoesOn) {
    RestartWith("planeSkin\t1");
    for (int i = 0; i < 2000; ++i) {
        Records::Get().SetInt("level" + std::to_string(i), i);
    }
    // A file size limit stands in for a full disk: the write stops partway with an error.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit tight = previous;
    tight.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    testing::internal::CaptureStdout();
    const bool saved = Records::Get().Save();
    std::string log = testing::internal::GetCapturedStdout();
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_FALSE(saved);
    EXPECT_NE(log.find("LOG: Saving Record failed: " + RecordPath()), std::string::npos) << log;
    EXPECT_EQ(ReadText(RecordPath()), "planeSkin\t1");
    const auto entries = std::distance(fs::directory_iterator(fs::path(RecordPath()).parent_path()),
                                       fs::directory_iterator());
    EXPECT_EQ(entries, 1) << "no temporary file is left behind";

    // A home that is a file: no folder can be made for the records.
    folder_.Write("blocker", "a regular file");
    UseHome(folder_.File("blocker"));
    Records::Get().Init("records", RecordVersions::kTitle);
    Records::Get().SetInt("planeSkin", 3);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Records::Get().Save());
    log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("LOG: Saving Record failed: " + Records::Get().GetFilePath() + ": "),
              std::string::npos)
        << log;
    EXPECT_EQ(ReadText(folder_.File("blocker")), "a regular file");
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 3) << "the values stay in memory";
}

TEST_F(RecordsTest, AKeyThatWouldSplitTheFileIsAProgrammingError) {
    Records::Get().Init("records", RecordVersions::kTitle);
    EXPECT_EQ(TestSupport::FatalMessageOf([] { Records::Get().SetInt("bad\tkey", 1); }),
              "Assertion failed in VEDebug.cpp line 22: Record key holds a tab or a line end: "
              "bad\tkey");
    EXPECT_EQ(Records::Get().GetInt("bad\tkey", 0), 0);
}

// Everything in the record's folder but the record itself.
long TemporaryFilesBeside(const std::string& record) {
    const fs::path folder = fs::path(record).parent_path();
    if (!fs::exists(folder)) {
        return 0;
    }
    const long entries = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    return entries - (fs::exists(record) ? 1 : 0);
}

// Starts the saving program on versions from `firstVersion` on. `ready`
// becomes the end of a pipe that yields one byte once the child has begun saving.
pid_t StartSaver(long firstVersion, int& ready) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
    }
    std::string program = RECORD_SAVER_PATH;
    std::string first = std::to_string(firstVersion);
    std::string readyEnd = std::to_string(pipeEnds[1]);
    char* argv[] = {program.data(), first.data(), readyEnd.data(), nullptr};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        execv(argv[0], argv);
        _exit(127);
    }
    close(pipeEnds[1]);
    ready = pipeEnds[0];
    return pid;
}
}  // namespace

TEST_F(RecordsTest, AKillDuringSavesLeavesOneWholeVersionOnDisk) {
    constexpr int kKills = 200;
    std::mt19937 random(7919);
    // Several saves fit in the longest wait, so kills land before, inside and between them.
    std::uniform_int_distribution<int> waitMicroseconds(0, 8000);
    long onDisk = -1;
    int advanced = 0;
    long cutShort = 0;
    for (int round = 0; round < kKills; ++round) {
        int ready = -1;
        const pid_t pid = StartSaver(onDisk + 1, ready);
        ASSERT_GT(pid, 0);
        pollfd waiting{ready, POLLIN, 0};
        char byte = 0;
        const bool started = poll(&waiting, 1, 10000) == 1 && read(ready, &byte, 1) == 1;
        close(ready);
        if (started) {
            usleep(static_cast<useconds_t>(waitMicroseconds(random)));
        }
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(started) << "the saver did not start (status " << status << ")";
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;

        // A save cut short leaves its temporary file, which the next save removes.
        const long leftovers = TemporaryFilesBeside(RecordPath());
        ASSERT_LE(leftovers, 1) << "round " << round << ": temporary files pile up";
        cutShort += leftovers;
        std::string text;
        std::string problem;
        const ReadOutcome read = ReadFileText(RecordPath(), 1 << 20, text, problem);
        ASSERT_NE(read, ReadOutcome::Incomplete) << problem;
        if (read == ReadOutcome::Missing) {
            ASSERT_EQ(onDisk, -1) << "round " << round << ": the record file is gone";
            continue;
        }
        FieldMap values;
        ParseRecordText(text, values);
        const long version = RecordVersions::CompleteVersion(values);
        ASSERT_NE(version, -1) << "round " << round << " left a damaged file of " << text.size()
                               << " bytes";
        ASSERT_GE(version, onDisk) << "round " << round << ": an older version came back";
        advanced += version > onDisk ? 1 : 0;
        onDisk = version;
    }
    EXPECT_GT(cutShort, 0) << "no kill landed inside a save";
    EXPECT_GT(advanced, 0) << "no save ever finished";
    Restart();
    ASSERT_TRUE(Records::Get().Save());
    EXPECT_EQ(TemporaryFilesBeside(RecordPath()), 0);
}
