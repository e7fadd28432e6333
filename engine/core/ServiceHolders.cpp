// The holders of every service, in one place because their order matters: ShutDownServices
// releases them in reverse, so Random goes first and Records last, and the Display (which
// closes the window and the GL context) outlives the scene and everything that draws.
#include "engine/core/ServiceShutdown.h"

#include <memory>

#include "engine/audio/AudioManager.h"
#include "engine/core/FrontEnd.h"
#include "engine/core/Random.h"
#include "engine/core/Time.h"
#include "engine/entity/MatrixStack.h"
#include "engine/graphics/Display.h"
#include "engine/input/Input.h"
#include "engine/persistence/DataStore.h"
#include "engine/persistence/Records.h"
#include "engine/physics/Physics.h"
#include "engine/scene/Resources.h"
#include "engine/scene/SceneManager.h"

namespace VelaEngine {

namespace {
struct ServiceHolders {
    std::shared_ptr<Records> records;
    std::shared_ptr<Resources> resources;
    std::shared_ptr<Audio::AudioManager> audioManager;
    std::shared_ptr<DataStore> dataStore;
    std::shared_ptr<FrontEnd> frontEnd;
    std::shared_ptr<Display> display;
    std::shared_ptr<Time> time;
    std::shared_ptr<Input> input;
    std::shared_ptr<MatrixStack> matrixStack;
    std::shared_ptr<Physics> physics;
    std::shared_ptr<SceneManagement::SceneManager> sceneManager;
    std::shared_ptr<Random> random;
};

// Never destroyed: the C library's exit handlers must not reach the GL driver, which may
// already be going down with the process (ShutDownServices releases them in time).
ServiceHolders& Holders() {
    static auto* holders = new ServiceHolders();
    return *holders;
}
}  // namespace

#define VELA_SERVICE_HOLDER(Type, member)              \
    template <>                                        \
    std::shared_ptr<Type>& Singleton<Type>::Holder() { \
        return Holders().member;                       \
    }

VELA_SERVICE_HOLDER(Records, records)
VELA_SERVICE_HOLDER(Resources, resources)
VELA_SERVICE_HOLDER(Audio::AudioManager, audioManager)
VELA_SERVICE_HOLDER(DataStore, dataStore)
VELA_SERVICE_HOLDER(FrontEnd, frontEnd)
VELA_SERVICE_HOLDER(Display, display)
VELA_SERVICE_HOLDER(Time, time)
VELA_SERVICE_HOLDER(Input, input)
VELA_SERVICE_HOLDER(MatrixStack, matrixStack)
VELA_SERVICE_HOLDER(Physics, physics)
VELA_SERVICE_HOLDER(SceneManagement::SceneManager, sceneManager)
VELA_SERVICE_HOLDER(Random, random)

#undef VELA_SERVICE_HOLDER

void ShutDownServices() {
    // Reverse order of the holders above: the scene and its entities go while everything
    // they release into still exists, the window and GL context before the sound and caches.
    Random::Release();
    SceneManagement::SceneManager::Release();
    Physics::Release();
    MatrixStack::Release();
    Input::Release();
    Time::Release();
    Display::Release();
    FrontEnd::Release();
    DataStore::Release();
    Audio::AudioManager::Release();
    Resources::Release();
    Records::Release();
}

}  // namespace VelaEngine
