// The bad-input table: damaged or hostile files and surroundings, each with the clear message
// or the behaviour it must get. None may crash, hang or lose the previous record file. Other
// rows live with their loaders (SceneLoaderTest, Vector2Text, ColorText, AnimationClip,
// RecordsTest, AudioManager).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "content/ContentRun.h"
#include "engine/audio/AudioManager.h"
#include "engine/core/FrontEnd.h"
#include "engine/graphics/Sprite.h"
#include "engine/persistence/RecordText.h"
#include "engine/persistence/Records.h"
#include "engine/scene/Resources.h"
#include "engine/scene/Scene.h"
#include "platform/EBImageFile.h"
#include "support/EngineRun.h"
#include "support/FatalCatcher.h"
#include "support/FileModes.h"
#include "support/SoundFiles.h"
#include "support/TempFolder.h"
#include "support/VelaRunProcess.h"

using namespace VelaEngine;
using SceneManagement::Scene;
using TestSupport::FatalMessageOf;
using TestSupport::TempFolder;
namespace fs = std::filesystem;

namespace {

std::string RandomBytes(std::mt19937& random, std::size_t count) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(byte(random));
    }
    return bytes;
}

// The engine running offscreen over a private asset folder with an empty first scene.
class BadAsset : public testing::Test {
protected:
    void SetUp() override {
        setenv("HOME", home_.Path().c_str(), 1);
        assets_.Write("scenes/empty.scene", "");
    }

    void Start(const std::string& firstScene = "scenes/empty") {
        TestSupport::EngineOptions options;
        options.assets = assets_.Path();
        options.firstScene = firstScene;
        testing::internal::CaptureStdout();
        TestSupport::StartEngine(options);
        startLog_ = testing::internal::GetCapturedStdout();
    }

    // The fatal message of loading `text` as a scene, or "" when it loads.
    std::string Load(const std::string& text) {
        assets_.Write("scenes/bad.scene", text);
        testing::internal::CaptureStdout();
        const std::string message =
            FatalMessageOf([] { Resources::Get().Get<Scene>("scenes/bad"); });
        testing::internal::GetCapturedStdout();
        return message;
    }
    std::string Where() const { return "\nin " + assets_.Path() + "/scenes/bad.scene, line "; }

    std::string SpriteFailure(const std::string& name) {
        return FatalMessageOf([&] { Resources::Get().Get<Graphics::Sprite>(name); });
    }

    TempFolder home_;
    TempFolder assets_;
    std::string startLog_;
};

constexpr const char* kValidScene =
    "/ a floor and a ball\n"
    "Entity\tFloor\tsolid\n\tt\t0,-200\n\tr\t0\n\ts\t1,1\n\tStaticBody2D\n"
    "\tRectCollider\n\t\tw\t1000\n\t\th\t40\n"
    "\tEntity\tBall\n\t\tt\t0,200\n\t\tr\t0\n\t\ts\t1,1\n\t\tCircleCollider\n\t\t\tradius\t20\n"
    "\t\tAnimation\n\t\t\tclip\t1\t0\tCircleCollider\tx\n";

// Random bytes, every cut of a valid scene and lines of a megabyte.
TEST_F(BadAsset, BadScenesEndWithAMessageNamingTheFileAndLine) {
    Start();
    std::mt19937 random(20240611);
    int failed = 0;
    for (int file = 0; file < 24; ++file) {
        const std::string message = Load(RandomBytes(random, 2048));
        if (!message.empty()) {
            ++failed;
            EXPECT_EQ(message.rfind("Assertion", 0), 0u) << message;
            EXPECT_NE(message.find(Where()), std::string::npos) << message;
            // Quoted bytes cannot drive the terminal: only tabs and line feeds stay raw.
            for (const char c : message) {
                EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n');
                EXPECT_NE(c, '\x7f');
            }
        }
    }
    EXPECT_GT(failed, 0) << "random bytes never made a content error";

    const std::string scene = kValidScene;
    ASSERT_EQ(Load(scene), "");
    for (std::size_t length = 0; length < scene.size(); ++length) {
        const std::string message = Load(scene.substr(0, length));
        if (!message.empty()) {
            EXPECT_NE(message.find(Where()), std::string::npos) << length << ": " << message;
        }
    }
    // Cut inside the transform lines of either header, the file must be refused.
    EXPECT_NE(Load(scene.substr(0, scene.find("\tr\t0"))).find("ends before the three"),
              std::string::npos);

    // A megabyte line is read whole.
    const std::string mega(1 << 20, 'x');
    const std::string header = "\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n";
    EXPECT_EQ(Load("/" + mega + "\n"), "") << "a long comment";
    EXPECT_EQ(Load("Entity\t" + mega + header), "") << "a long name";
    EXPECT_EQ(Load("Entity\tA" + header + "\tAnimation\n\t\tclip\t1\t0\tImage\t" + mega + "\n"), "")
        << "a long instruction";
    EXPECT_EQ(Load("Entity\tA" + header + "\t" + mega + "\n"),
              "Assertion in VEDebug.cpp line 35: Component " + mega + " not found" + Where() + "5");
    std::string numbers = "1";
    while (numbers.size() < (1u << 20)) {
        numbers += ",1";
    }
    EXPECT_EQ(Load("Entity\tA\n\tt\t" + numbers + "\n\tr\t0\n\ts\t1,1\n"),
              "Assertion failed in VEDebug.cpp line 22: Vector2 wrong Serialization format" +
                  Where() + "1");
}

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::string BigEndian(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string Chunk(const std::string& type, const std::string& data) {
    return BigEndian(static_cast<std::uint32_t>(data.size())) + type + data +
           BigEndian(Crc32(type + data));
}

// A well-formed PNG start that declares the size, 8-bit RGBA, with a few bytes of pixels.
std::string PngDeclaring(std::uint32_t width, std::uint32_t height) {
    const std::string header =
        BigEndian(width) + BigEndian(height) + std::string("\x08\x06\0\0\0", 5);
    // A stored (uncompressed) deflate block of one zero row byte.
    const std::string pixels("\x78\x01\x01\x01\x00\xfe\xff\x00\x00\x01\x00\x01", 12);
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", pixels) +
           Chunk("IEND", "");
}

// A cut PNG whose last chunk header claims 17,996 bytes that the file does not hold: the decoder
// once went round that header forever.
const std::string kChunkPastTheEnd(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52"
    "\x00\x00\x00\x02\x00\x00\x00\x02\x08\x06\x00\x00\x00\x72\xb6\x0d"
    "\x24\x00\x00\x46\x4c\x73\x52\x47\x42\x41\x43\x41\x54\x78\x9c\x63"
    "\xf8\xcf\xc0\xf0\x1f\x0c\x81\x34\x18\x00\x00\x49\xc8\x09\xf7\xf9"
    "\xab\xb6\x0d\x00\x00\x49\xc6\x60\x82",
    73);

TEST_F(BadAsset, MissingCorruptTruncatedOrHugePngsFailWithTheirPath) {
    Start();
    std::vector<unsigned char> rgba(16 * 16 * 4, 0xC0);
    fs::create_directories(assets_.Path() + "/sprites");
    const std::string goodPath = assets_.Path() + "/sprites/good.png";
    ASSERT_TRUE(EBImageSavePNG(goodPath.c_str(), rgba.data(), 16, 16));
    const std::string good = TestSupport::ReadText(goodPath);
    std::mt19937 random(5);
    assets_.Write("sprites/corrupt.png", RandomBytes(random, 4096));
    assets_.Write("sprites/truncated.png", good.substr(0, good.size() / 2));
    assets_.Write("sprites/huge.png", PngDeclaring(20000, 20000));
    assets_.Write("sprites/empty.png", "");
    assets_.Write("sprites/cut.png", kChunkPastTheEnd);

    for (const char* name : {"sprites/missing", "sprites/corrupt", "sprites/truncated",
                             "sprites/cut", "sprites/huge", "sprites/empty"}) {
        EXPECT_EQ(SpriteFailure(name), "Assertion in VEDebug.cpp line 35: Sprite loading failed: " +
                                           assets_.Path() + "/" + name + ".png");
    }
    // The declared 1.6 GB were refused before anything was allocated for them.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 1024L * 1024L) << "kilobytes at the peak";
    EXPECT_EQ(SpriteFailure("sprites/good"), "") << "a sound picture still loads";
    testing::internal::CaptureStdout();
    EXPECT_EQ(FatalMessageOf([] { TestSupport::RunFrames(2); }), "");
    testing::internal::GetCapturedStdout();
}

TEST_F(BadAsset, ZeroByteAndCorruptMp3sLeaveARunningSceneSilent) {
    assets_.Write("sounds/empty.mp3", "");
    std::mt19937 random(11);
    assets_.Write("sounds/corrupt.mp3", "ID3\x03" + RandomBytes(random, 4096));
    const std::string header = "\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n";
    assets_.Write("scenes/speakers.scene",
                  "Entity\tA" + header + "\tAudioSource\n\t\taudioClip\tsounds/empty\n" +
                      "\t\tplayOnAwake\tt\nEntity\tB" + header +
                      "\tAudioSource\n\t\taudioClip\tsounds/corrupt\n\t\tplayOnAwake\tt\n");
    Start("scenes/speakers");
    for (const char* name : {"empty", "corrupt"}) {
        EXPECT_NE(startLog_.find("LOG: Failed to load AudioClip: " + assets_.Path() + "/sounds/" +
                                 name + ".mp3 ("),
                  std::string::npos)
            << startLog_;
    }
    testing::internal::CaptureStdout();
    EXPECT_EQ(FatalMessageOf([] { TestSupport::RunFrames(3); }), "");
    testing::internal::GetCapturedStdout();
    for (const Audio::ChannelSlot& slot : Audio::AudioManager::Get().GetSlots()) {
        EXPECT_EQ(slot.owner, nullptr) << "nothing was played";
    }
}

// A pipe waits for a writer, a device never ends and a dense file decodes to gigabytes: each
// is refused up front, or where its decoding passes the ceiling, and the scene runs silent.
TEST_F(BadAsset, SoundsThatAreNoRegularFileOrTooLargeAreRefusedAndTheSceneRunsSilent) {
    const std::string sounds = assets_.Path() + "/sounds/";
    fs::create_directories(sounds + "folder.mp3");
    ASSERT_EQ(mkfifo((sounds + "pipe.mp3").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", sounds + "zero.mp3");
    TestSupport::WriteToneWav(sounds + "long.mp3", 400000);    // 17 MB of plain samples
    TestSupport::WriteSilentMp3(sounds + "dense.mp3", 40000);  // 2.9 MB, 508 MB decoded
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"folder", "not a regular file"},
        {"pipe", "not a regular file"},
        {"zero", "not a regular file"},
        {"long", "the file is larger than 16 MiB"},
        {"dense", "the sound decodes to more than 32 MiB"},
    };
    const std::string header = "\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n";
    std::string scene;
    for (const auto& [name, reason] : rows) {
        scene += "Entity\t" + name + header + "\tAudioSource\n\t\taudioClip\tsounds/" + name +
                 "\n\t\tplayOnAwake\tt\n";
    }
    assets_.Write("scenes/speakers.scene", scene);
    Start("scenes/speakers");
    for (const auto& [name, reason] : rows) {
        EXPECT_NE(startLog_.find("LOG: Failed to load AudioClip: " + sounds + name + ".mp3 (" +
                                 reason + ")\n"),
                  std::string::npos)
            << name << "\n"
            << startLog_;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 512L * 1024L) << "kilobytes at the peak";
    testing::internal::CaptureStdout();
    EXPECT_EQ(FatalMessageOf([] { TestSupport::RunFrames(3); }), "");
    testing::internal::GetCapturedStdout();
    for (const Audio::ChannelSlot& slot : Audio::AudioManager::Get().GetSlots()) {
        EXPECT_EQ(slot.owner, nullptr) << "nothing was played";
    }
}

using TestSupport::FileModesApply;

using TestSupport::Json;

// The sprite path and tint of the named entity's Image in a dump.
std::string SpriteOf(const Json& dump, const std::string& name) {
    return TestSupport::ComponentOf(ContentRun::Named(dump, name), "Image")["sprite"].text;
}
const Json& TintOf(const Json& dump, const std::string& name) {
    return TestSupport::ComponentOf(ContentRun::Named(dump, name), "Image")["tint"];
}

TEST_F(BadAsset, ARecordFileWithoutLineEndsOrOfTenMegabytesLoadsWholeAndSavesBack) {
    Start();
    const std::string path = TestSupport::RecordPath(home_.Path());
    // The next start of the game with `text` as its record file.
    auto Load = [&](const std::string& text) {
        home_.Write(path.substr(home_.Path().size() + 1), text);
        Records::Release();
        Records::Create();
        Records::Get().Init("records", FrontEnd::Get().GetTitle());
    };
    const std::string text = "planeSkin\t4\tvolume\t0.5\tshortestTime\t9";
    Load(text);
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 4);
    EXPECT_EQ(Records::Get().GetInt("volume", 7), 7) << "the rest belongs to the first value";
    ASSERT_TRUE(Records::Get().Save());
    EXPECT_EQ(TestSupport::ReadText(path), text);

    // Long values keep the entry count, and so the test's time, modest.
    const std::string filler(1000, 'z');
    std::string big;
    int entries = 0;
    while (big.size() < (10u << 20)) {
        big += "level" + std::to_string(entries) + "\t" + std::to_string(entries) + " " + filler +
               "\n";
        ++entries;
    }
    testing::internal::CaptureStdout();
    Load(big);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "nothing was cut off";
    EXPECT_EQ(Records::Get().GetInt("level" + std::to_string(entries - 1), -1), entries - 1);
    testing::internal::CaptureStdout();
    ASSERT_TRUE(Records::Get().Save());
    testing::internal::GetCapturedStdout();
    FieldMap onDisk;
    ParseRecordText(TestSupport::ReadText(path), onDisk);
    EXPECT_EQ(onDisk.Fields().size(), static_cast<std::size_t>(entries));
}

// A home the player cannot write: the game runs on with its values in memory, and the record
// file saved in an earlier run stays as it was.
TEST_F(BadAsset, AHomeThatCannotBeWrittenKeepsTheOldRecordAndTheGameGoesOn) {
    const std::string record = home_.Path() + "/VelaEngine/data/records/Fleetwing.record";
    home_.Write("VelaEngine/data/records/Fleetwing.record", "planeSkin\t1");
    auto setModes = [&](mode_t mode) {
        for (const std::string& folder :
             {home_.Path(), home_.Path() + "/VelaEngine", home_.Path() + "/VelaEngine/data",
              home_.Path() + "/VelaEngine/data/records"}) {
            ASSERT_EQ(chmod(folder.c_str(), mode), 0);
        }
    };
    setModes(0555);
    Start();
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 1);

    bool saved = true;
    std::string log;
    {
        FileModesApply modes;
        Records::Get().SetInt("planeSkin", 2);
        testing::internal::CaptureStdout();
        saved = Records::Get().Save();
        EXPECT_EQ(FatalMessageOf([] { TestSupport::RunFrames(3); }), "");
        log = testing::internal::GetCapturedStdout();
    }
    setModes(0755);
    EXPECT_FALSE(saved);
    EXPECT_NE(log.find("LOG: Saving Record failed: " + record + ": "), std::string::npos) << log;
    EXPECT_NE(log.find("LOG: Quitting game loop"), std::string::npos) << "the frames ran";
    EXPECT_EQ(Records::Get().GetInt("planeSkin", 0), 2) << "the value stays in memory";
    EXPECT_EQ(TestSupport::ReadText(record), "planeSkin\t1");
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(record).parent_path()),
                            fs::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

// Runs the game's own scenes as legs of one vela-run, the record file holding `records`; the
// dump of leg K goes to home/legK.json.
TestSupport::RunResult PlayLegs(const TempFolder& home, const std::string& records,
                                const std::vector<std::string>& scenes) {
    home.Write("VelaEngine/data/records/Fleetwing.record", records);
    std::string arguments = "--leg-dump " + home.File("leg");
    for (const std::string& scene : scenes) {
        arguments += " --play " + scene + "::2";
    }
    return ContentRun::RunGame(arguments, home.Path());
}

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Saved values the game cannot use. Each is replaced by its default with one log line naming
// the record file, the key and the value, and every screen that reads it still starts: the
// splash (volume), the skins, the level selection (open levels, stars, best times) and a level
// (skin).
// Every run holds one bad value of each key; the shorter lists start over.
TEST(BadSavedValues, AreReplacedByTheirDefaultsAndEveryScreenStarts) {
    const struct {
        const char* key;
        std::vector<std::string> values;
        const char* usedInstead;
    } keys[] = {
        {"planeSkin", {"-1", "0", "5", "7", "nan", "text", "", "2.5"}, "1"},
        {"highestLevelUnlocked", {"0", "-3", "nan", "abc", "", "99999999999"}, "1"},
        {"volume", {"nan", "-0.5", "1.5", "loud", "", "inf"}, "0.500000"},
        {"foundstar1_1", {"x", "", "7", "True"}, "f"},
        {"bestTime1", {"nan", "-2.5", "0", "fast", "", "inf", "1e999", "12 s"}, "0.000000"},
        {"fullScreen", {"yes", "", "1", "True", "on"}, "t"},
        {"ghost", {"no", "", "0", "False", "off"}, "t"},
    };
    for (std::size_t run = 0; run < keys[0].values.size(); ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        std::string records;
        std::vector<std::string> lines;
        for (const auto& key : keys) {
            const std::string& value = key.values[run % key.values.size()];
            records += std::string(key.key) + "\t" + value + "\n";
            lines.push_back("LOG: Bad saved value in " + TestSupport::RecordPath("HOME") + ": " +
                            key.key + " \"" + value + "\", using " + key.usedInstead + "\n");
        }
        TempFolder home;
        const TestSupport::RunResult result =
            PlayLegs(home, records,
                     {"scenes/splash", "scenes/skins", "scenes/levelselect", "scenes/level1"});
        ASSERT_EQ(result.status, 0) << result.output;
        for (std::string& line : lines) {
            line.replace(line.find("HOME"), 4, home.Path());
            EXPECT_EQ(CountOf(result.output, line), 1u) << line << result.output;
        }
        EXPECT_EQ(CountOf(result.output, "Bad saved value"), lines.size()) << result.output;

        const Json splash = TestSupport::ReadJson(home.File("leg1.json"));
        EXPECT_EQ(splash["volume"].number, 0.5);
        const Json skins = TestSupport::ReadJson(home.File("leg2.json"));
        EXPECT_TRUE(SpriteOf(skins, "SkinPreview").ends_with("/ball1.png"));
        const Json levels = TestSupport::ReadJson(home.File("leg3.json"));
        EXPECT_TRUE(ContentRun::IsAt(ContentRun::Named(levels, "Level1Button"), -450, 120))
            << "level 1 is always open";
        EXPECT_FALSE(ContentRun::IsAt(ContentRun::Named(levels, "Level2Button"), -150, 120));
        EXPECT_NEAR(TintOf(levels, "Level1Star1")[3].number, 0.55, 1e-6) << "not found";
        EXPECT_EQ(
            TestSupport::ComponentOf(ContentRun::Named(levels, "Level1Progress"), "Text")["text"]
                .text,
            "")
            << "no best time";
        EXPECT_EQ(TestSupport::FindEntity(levels, "Level1Done"), nullptr) << "not finished";
        const Json level = TestSupport::ReadJson(home.File("leg4.json"));
        EXPECT_TRUE(SpriteOf(level, "Airplane").ends_with("/ball1.png"));
    }
}

// A winning replay of level 1 on a record file the game cannot read: the file is left byte
// for byte as it was, with its mode, and nothing is written beside it.
TEST(UnreadableRecord, AWinningReplayOfLevel1LeavesTheFileAsItWas) {
    TempFolder home;
    const std::string text =
        "highestLevelUnlocked\t5\nshortestTime\t12.500000\nfoundstar2_1\tt\nplaneSkin\t3";
    const std::string record = home.Write("VelaEngine/data/records/Fleetwing.record", text);
    ASSERT_EQ(chmod(record.c_str(), 0), 0);
    const std::string script = ContentRun::kReplays + "/level1.input";
    const std::string dump = home.File("dump.json");
    const TestSupport::RunResult run = TestSupport::RunCommand(
        "HOME=" + home.Path() + " GALLIUM_NOOP=1 " + TestSupport::FileModesPrefix() +
        FLEETWING_BINARY_DIR "/tools/vela-run/vela-run --assets " FLEETWING_SOURCE_DIR
                             "/assets --scene scenes/level1 --input " +
        script + " --frames " + std::to_string(ContentRun::FramesOf(script)) + " --dump " + dump);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("LOG: Record file not read whole, this run will not save over it: " +
                              record + " (cannot open: Permission denied)\n"),
              std::string::npos)
        << run.output;
    EXPECT_TRUE(ContentRun::IsAt(ContentRun::Named(TestSupport::ReadJson(dump), "WinWindow"), 0, 0))
        << "the level was won";
    EXPECT_EQ(fs::status(record).permissions(), fs::perms::none);
    ASSERT_EQ(chmod(record.c_str(), 0600), 0);
    EXPECT_TRUE(TestSupport::ReadText(record) == text) << "the record file changed";
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(record).parent_path()),
                            fs::directory_iterator()),
              1);
}

std::size_t LinesWith(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        count += line.find(part) != std::string::npos ? 1 : 0;
    }
    return count;
}

// Ghost files that are missing, damaged, of another level or format, or hostile: level 1
// (whose best time exists) starts, logs the one line that names the file and the fault, shows
// no ghost and plays on; the file is left as it was.
TEST(BadGhostFile, IsIgnoredWithOneLogLineAndTheLevelPlaysOn) {
    const std::string header = "fleetwing-ghost\t1\nlevel\t1\nskin\t1\n";
    const std::string sample = "0\t-450\t900\t0\t0\n";
    std::mt19937 random(25);
    const struct {
        const char* what;
        std::string text;  // no file when empty
        const char* logged;
    } rows[] = {
        {"missing", "", "is missing"},
        {"empty", "", "not a ghost file"},
        {"random bytes", "x" + RandomBytes(random, 4000), "not a ghost file"},
        {"another format", "fleetwing-record\t1\nlevel\t1\nskin\t1\nsamples\t1\n" + sample,
         "not a ghost file"},
        {"another version", "fleetwing-ghost\t2\nlevel\t1\nskin\t1\nsamples\t1\n" + sample,
         "format \"2\", not 1"},
        {"another level", "fleetwing-ghost\t1\nlevel\t3\nskin\t1\nsamples\t1\n" + sample,
         "recorded on level 3"},
        {"truncated", header + "samples\t3\n" + sample + sample, "cut short after 2 of 3 samples"},
        {"cut inside a sample", header + "samples\t2\n" + sample + "0.1\t-45", "five fields"},
        {"huge count", header + "samples\t4000000000\n" + sample, "bad samples \"4000000000\""},
        {"negative count", header + "samples\t-1\n" + sample, "bad samples \"-1\""},
        {"more than announced", header + "samples\t1\n" + sample + sample, "more than the 1"},
        {"NaN position", header + "samples\t1\n0\tnan\t900\t0\t0\n", "not a finite number"},
        {"infinite rotation", header + "samples\t1\n0\t1\t900\tinf\t0\n", "not a finite number"},
        {"far away", header + "samples\t1\n0\t1e30\t900\t0\t0\n", "out of range"},
        {"times going back", header + "samples\t2\n1\t1\t1\t0\t0\n0.5\t1\t1\t0\t0\n",
         "its times go back"},
        {"skin without a picture", "fleetwing-ghost\t1\nlevel\t1\nskin\t42\nsamples\t1\n" + sample,
         "skin 42 has no picture"},
        {"larger than any flight", header + "samples\t36000\n" + std::string(3000000, '0'),
         "larger than"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder home;
        const std::string ghost = home.File("VelaEngine/data/records/level1.ghost");
        const bool missing = std::string(row.what) == "missing";
        if (!missing) {
            home.Write("VelaEngine/data/records/level1.ghost", row.text);
        }
        const TestSupport::RunResult result =
            PlayLegs(home, "bestTime1\t20.000000", {"scenes/level1"});
        ASSERT_EQ(result.status, 0) << result.output;
        EXPECT_EQ(LinesWith(result.output, "host"), 1u) << result.output;
        const std::string line = missing ? "LOG: No ghost for level 1: " + ghost + " is missing"
                                         : "LOG: Ghost file " + ghost + " ignored: ";
        EXPECT_EQ(CountOf(result.output, line), 1u) << result.output;
        EXPECT_EQ(CountOf(result.output, row.logged), 1u) << row.logged << "\n" << result.output;
        const Json level = TestSupport::ReadJson(home.File("leg1.json"));
        const Json& entity = ContentRun::Named(level, "Ghost");
        EXPECT_FALSE(TestSupport::ComponentOf(entity, "Ghost")["showing"].boolean);
        EXPECT_EQ(TestSupport::FindComponent(entity, "Image"), nullptr) << "nothing drawn";
        if (!missing) {
            EXPECT_TRUE(TestSupport::ReadText(ghost) == row.text) << "the file changed";
        }
    }
}

}  // namespace
