// The holders of every service, in one place because their order matters: they are
// released in reverse, so Random goes first and Records last, and the Display (which closes
// the window and the GL context) outlives the scene and everything that draws.
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

ServiceHolders g_holders;
}  // namespace

#define VELA_SERVICE_HOLDER(Type, member)                    \
    template <>                                              \
    std::shared_ptr<Type>& Singleton<Type>::Holder() {       \
        return g_holders.member;                             \
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

}  // namespace VelaEngine
