#pragma once
// Plays the legs of one run back to back: each leg changes scene as the game does, feeds its
// own script from the leg's first frame and ends after its frame count.
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tools/vela-run/InputScript.h"
#include "tools/vela-run/RunOptions.h"

namespace VelaRun {

struct PlannedLeg {
    std::string scene;
    std::vector<InputCommand> commands;
    unsigned frames = 0;  // 0: until the game ends
};

// The legs of the command line with every script read and checked, before the engine starts;
// a run without --play is one leg. On a bad script returns false with `error` set.
bool PlanLegs(const RunOptions& options, std::vector<PlannedLeg>& legs, std::string& error);

// Resident memory of this process in KB; -1 when the system does not tell.
long ResidentKb();

class LegPlayer {
public:
    LegPlayer(std::vector<PlannedLeg> legs, const RunOptions& options, uint32_t seed);

    // Opens the memory log; false when it cannot be written.
    bool Open();
    // Applies the input of this frame of the current leg.
    void BeginFrame(unsigned frame);
    // Ends the current leg when its last frame has run and starts the next; returns true once
    // the last leg is over.
    bool EndFrame(unsigned frame);
    // The loop ended before the last leg's end: the current leg ends at `frame`.
    void EndEarly(unsigned frame);
    bool Finished() const { return current_ >= legs_.size(); }
    std::size_t LegNumber() const { return current_ + 1; }
    std::size_t LegCount() const { return legs_.size(); }
    const EBInputSnapshot& State() const { return script_->State(); }
    // False once a leg dump or a log line could not be written.
    bool Ok() const { return ok_; }

private:
    void EndLeg(unsigned frame);
    void StartLeg(unsigned frame);

    std::vector<PlannedLeg> legs_;
    std::string dumpPrefix_;
    std::string rssLogPath_;
    std::ofstream rssLog_;
    uint32_t seed_;
    std::size_t current_ = 0;
    unsigned legStart_ = 0;  // the run's frame before the leg's first
    std::unique_ptr<InputScript> script_;
    bool ok_ = true;
};

}  // namespace VelaRun
