#include "tools/vela-run/SceneDump.h"

#include "engine/core/Time.h"
#include "tools/vela-run/JsonWriter.h"

namespace VelaRun {

std::string DumpScene(unsigned frame, const std::string& sceneName) {
    const VelaEngine::Time& time = VelaEngine::Time::Get();
    JsonWriter json;
    json.BeginObject();
    json.Key("frame");
    json.Number(frame);
    json.Key("scene");
    json.String(sceneName);
    json.Key("paused");
    json.Bool(time.IsPaused());
    json.Key("timeScale");
    json.Number(time.GetTimeScale());
    // Entities and volume join as the scene manager and the audio manager are filled in.
    json.Key("entities");
    json.BeginArray();
    json.EndArray();
    json.EndObject();
    return json.Text();
}

}  // namespace VelaRun
