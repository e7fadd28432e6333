#include "tools/vela-run/LegPlayer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>

#include "engine/core/Random.h"
#include "engine/core/Time.h"
#include "engine/scene/SceneManager.h"
#include "platform/EBInput.h"
#include "tools/vela-run/SceneDump.h"

namespace VelaRun {

namespace {

// The longest shipped replay is 39 KB; a script past this is no script.
constexpr std::size_t kMaxScriptBytes = 16u << 20;

// A pipe is taken, so a script can be made on the fly; a folder reads as nothing and a device
// may never end.
std::string UnreadableKind(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return std::strerror(errno);
    }
    return S_ISREG(status.st_mode) || S_ISFIFO(status.st_mode) ? "" : "not a regular file or pipe";
}

// Reads at most one byte past the cap, so an endless source ends the read too.
bool ReadCapped(std::ifstream& in, std::string& text) {
    char buffer[1 << 16];
    while (text.size() <= kMaxScriptBytes && in) {
        in.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    return !in.bad();
}

bool ReadScript(const std::string& path, std::vector<InputCommand>& commands, std::string& error) {
    const std::string why = UnreadableKind(path);
    std::ifstream in;
    if (why.empty()) {
        in.open(path, std::ios::binary);
    }
    std::string text;
    if (!why.empty() || !in || !ReadCapped(in, text)) {
        error = "cannot read input file " + path + (why.empty() ? "" : ": " + why);
        return false;
    }
    if (text.size() > kMaxScriptBytes) {
        error = "input file " + path + " is larger than 16 MiB";
        return false;
    }
    return ParseInputScript(text, path, commands, error);
}
}  // namespace

bool PlanLegs(const RunOptions& options, std::vector<PlannedLeg>& legs, std::string& error) {
    std::vector<Leg> wanted = options.legs;
    if (wanted.empty()) {
        wanted.push_back(Leg{options.scene, options.inputFile, options.frames});
    }
    // A soak plays the same few scripts over and over: each file is read once.
    std::map<std::string, std::vector<InputCommand>> scripts;
    for (const Leg& leg : wanted) {
        if (!leg.inputFile.empty() && scripts.count(leg.inputFile) == 0 &&
            !ReadScript(leg.inputFile, scripts[leg.inputFile], error)) {
            return false;
        }
        PlannedLeg planned;
        planned.scene = leg.scene;
        planned.frames = leg.frames;
        if (!leg.inputFile.empty()) {
            planned.commands = scripts[leg.inputFile];
        }
        legs.push_back(std::move(planned));
    }
    return true;
}

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long sizePages = 0;
    long residentPages = 0;
    if (!(statm >> sizePages >> residentPages)) {
        return -1;
    }
    return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

LegPlayer::LegPlayer(std::vector<PlannedLeg> legs, const RunOptions& options, uint32_t seed)
    : legs_(std::move(legs)),
      dumpPrefix_(options.legDumpPrefix),
      rssLogPath_(options.rssLogFile),
      seed_(seed) {
    // The first leg's scene is the engine's first scene, loaded at start-up.
    script_ = std::make_unique<InputScript>(legs_.front().commands, kWidth, kHeight);
}

bool LegPlayer::Open() {
    if (rssLogPath_.empty()) {
        return true;
    }
    rssLog_.open(rssLogPath_, std::ios::trunc);
    return static_cast<bool>(rssLog_);
}

void LegPlayer::BeginFrame(unsigned frame) {
    script_->BeginFrame(frame - legStart_);
}

bool LegPlayer::EndFrame(unsigned frame) {
    if (Finished()) {
        return true;
    }
    const PlannedLeg& leg = legs_[current_];
    if (leg.frames == 0 || frame - legStart_ < leg.frames) {
        return false;
    }
    EndLeg(frame);
    if (!Finished()) {
        StartLeg(frame);
    }
    return Finished();
}

void LegPlayer::EndEarly(unsigned frame) {
    if (!Finished()) {
        EndLeg(frame);
    }
}

void LegPlayer::EndLeg(unsigned frame) {
    const std::size_t number = current_ + 1;
    if (!dumpPrefix_.empty()) {
        const std::string path = dumpPrefix_ + std::to_string(number) + ".json";
        if (!WriteSceneDump(path, frame)) {
            std::cerr << "vela-run: cannot write dump " << path << "\n";
            ok_ = false;
        }
    }
    if (rssLog_.is_open()) {
        // Flushed per line, so a run that dies still shows how far memory had grown.
        rssLog_ << "leg " << number << ' ' << legs_[current_].scene << " rss_kb " << ResidentKb()
                << std::endl;
        if (!rssLog_) {
            std::cerr << "vela-run: cannot write " << rssLogPath_ << "\n";
            ok_ = false;
        }
    }
    ++current_;
}

void LegPlayer::StartLeg(unsigned frame) {
    legStart_ = frame;
    const PlannedLeg& leg = legs_[current_];
    script_ = std::make_unique<InputScript>(leg.commands, kWidth, kHeight);
    // As far as the game can tell, the leg starts like a fresh process: no key held, cursor
    // unmoved, full-speed time and the start-up random sequence.
    EBInputReset();
    VelaEngine::Time::Get().SetTimeScale(1.0f);
    VelaEngine::Random::Get().SetSeed(seed_);
    auto& scenes = VelaEngine::SceneManagement::SceneManager::Get();
    scenes.RequestChange(leg.scene);
    scenes.ProcessChange();
}

}  // namespace VelaRun
