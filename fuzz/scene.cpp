// Whole scene files through the real loader, then a few frames of the scene through the main
// loop's passes, with a click in the second frame. A content error must end through the
// failure handler; after one, the engine must still tear the failed scene down, then load and
// run the empty scene.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/scene/SceneManager.h"
#include "fuzz/support/FuzzEngine.h"
#include "fuzz/support/FuzzHarness.h"

using FuzzSupport::EndsFatally;
using FuzzSupport::Require;
using VelaEngine::SceneManagement::SceneManager;

namespace {
constexpr const char* kScene = "scenes/fuzz";
constexpr unsigned kFrames = 3;
constexpr unsigned kClickFrame = 2;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSupport::StartEngineOnce();
    FuzzSupport::WriteScratch(FuzzSupport::AssetFile(kScene) + ".scene",
                              FuzzSupport::Text(data, size));
    SceneManager::Get().RequestChange(kScene);
    // The change happens at the end of the first frame; the scene runs in the frames after.
    const bool failed = EndsFatally([] {
        for (unsigned frame = 1; frame <= kFrames + 1; ++frame) {
            FuzzSupport::RunFrame(frame, kClickFrame + 1);
        }
    });
    if (failed) {
        // The game stops at a content error. Here the failed scene goes before another frame,
        // persistent entities included: run again, a behaviour that failed in its Start would
        // only fail again.
        if (auto* scene = SceneManager::Get().GetCurrentScene()) {
            scene->GetRoots().clear();
        }
        SceneManager::Get().RequestChange(FuzzSupport::kEmptyScene);
        Require(!EndsFatally([] {
            SceneManager::Get().ProcessChange();
            FuzzSupport::RunFrame(1, 0);
        }),
                "the engine cannot go on after a content error");
        Require(SceneManager::Get().GetCurrentSceneName() == FuzzSupport::kEmptyScene,
                "the empty scene did not replace a failed one");
    }
    return 0;
}
