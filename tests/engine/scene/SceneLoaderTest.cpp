#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "engine/entity/Entity.h"
#include "engine/entity/Transform.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "engine/scene/Scene.h"
#include "support/FatalCatcher.h"
#include "support/TempFolder.h"

using namespace VelaEngine;
using SceneManagement::Scene;
using TestSupport::FatalMessageOf;

namespace {

// Remembers every field map it was handed, so tests see what the loader delivered.
class Probe : public Component {
public:
    explicit Probe(Entity* owner) : Component(owner) {}
    const char* GetTypeName() const override { return "Probe"; }
    void Deserialize(const FieldMap& fields) override {
        reads.push_back(
            std::map<std::string, std::string>(fields.Fields().begin(), fields.Fields().end()));
    }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Probe>(owner);
    }
    std::vector<std::map<std::string, std::string>> reads;
};

Component* ProbeFactory(const std::string& type, Entity& owner) {
    return type == "Probe" ? owner.AddComponent<Probe>() : nullptr;
}

struct SceneLoaderTest : testing::Test {
    SceneLoaderTest() {
        Resources::Create();
        testing::internal::CaptureStdout();
        Resources::Get().Init(assets.Path(), ProbeFactory);
        testing::internal::GetCapturedStdout();
    }
    ~SceneLoaderTest() override { Resources::Release(); }

    std::shared_ptr<Scene> Load(const std::string& text) {
        assets.Write("scenes/test.scene", text);
        return Resources::Get().Get<Scene>("scenes/test");
    }
    std::string LoadFailure(const std::string& text) {
        assets.Write("scenes/bad.scene", text);
        return FatalMessageOf([] { Resources::Get().Get<Scene>("scenes/bad"); });
    }

    TestSupport::TempFolder assets;
};

const char* kHeader = "\tt\t0,0\n\tr\t0\n\ts\t1,1\n";

}  // namespace

TEST_F(SceneLoaderTest, BuildsTheTreeWithTagsAndFieldsReadingOddLinesAsTheyStand) {
    auto scene = Load("Entity\tGround\tsolid\tsolid\tfloor\n" + std::string(kHeader) +
                      "\tProbe\n\t\tmass\t2\n\tEntity\tBall\n\t\tt\t0,100\n\t\tr\t0\n\t\ts\t1,1\n"
                      "\t\tProbe\n\t\t\tcolor\t1,\t2\nEntity\tSky\n" +
                      kHeader);
    ASSERT_EQ(scene->GetRoots().size(), 2u);
    Entity& ground = *scene->GetRoots().front();
    EXPECT_EQ(ground.GetName(), "Ground");
    EXPECT_EQ(ground.GetTags(), (std::set<std::string>{"floor", "solid"}));
    using Fields = std::vector<std::map<std::string, std::string>>;
    EXPECT_EQ(ground.GetComponent<Probe>()->reads, (Fields{{{"mass", "2"}}}));
    ASSERT_EQ(ground.GetChildren().size(), 1u);
    Entity& ball = *ground.GetChildren().front();
    // Values keep their tabs.
    EXPECT_EQ(ball.GetComponent<Probe>()->reads, (Fields{{{"color", "1,\t2"}}}));
    EXPECT_EQ(scene->GetRoots().back()->GetName(), "Sky");

    // Odd lines are read as they stand, and each load reads the file again.
    testing::internal::CaptureStdout();
    scene = Load(
        "/ a comment\n\n/ another\r\n"
        "Entity\n\ts\t3,4\n\t\tt\t5,6\tignored\n\tr\t45\n"
        "\tProbe\n"
        "\tProbe\n"
        "\t\tnotab\n"
        "/ a comment between fields\n"
        "\n"
        "\t\tlead\t\tx\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "LOG: Loading Scene: " + assets.Path() +
                  "/scenes/test.scene\nLOG: Scene successfully loaded\n\n");
    // An entity line without a tab is named "Entity"; transform lines come in any order.
    Entity& entity = *scene->GetRoots().front();
    EXPECT_EQ(entity.GetName(), "Entity");
    EXPECT_EQ(entity.GetTransform().GetPosition(), Vector2(5.0f, 6.0f));
    EXPECT_EQ(entity.GetTransform().GetScale(), Vector2(3.0f, 4.0f));
    EXPECT_EQ(entity.GetTransform().GetRotation(), 45.0f);
    // A component without fields before another reads nothing.
    const auto& components = entity.GetComponents();
    ASSERT_EQ(components.size(), 3u);
    EXPECT_TRUE(dynamic_cast<Probe&>(*components[1]).reads.empty());
    EXPECT_EQ(dynamic_cast<Probe&>(*components[2]).reads,
              (Fields{{{"notab", "notab"}, {"lead", "\tx"}}}));

    EXPECT_NE(Resources::Get().Get<Scene>("scenes/test"), scene);
}

TEST_F(SceneLoaderTest, PlacesEveryEntityAsItsTransformReadsTheSameLinesAsFields) {
    // Keys in every order, repeated or unknown, and values plain or in atof's other forms.
    const std::vector<std::vector<std::pair<std::string, std::string>>> cases = {
        {{"t", "1.5,-2"}, {"r", "90"}, {"s", "1,1"}},
        {{"s", "3,4"}, {"t", "5,6"}, {"r", "-45.25"}},
        {{"r", "1e2"}, {"s", ".5,-.5"}, {"t", "-0,0"}},
        {{"t", "1,2"}, {"t", "3,4"}, {"s", "1,1"}},
        {{"t", "1,2"}, {"x", "9"}, {"s", "2,2"}},
        {{"t", "+1,2"}, {"r", " 30"}, {"s", "0x10,1"}},
        {{"t", "1,2"}, {"r", "30deg"}, {"s", "1,,2"}},
        {{"t", "1e999,2"}, {"r", "nan"}, {"s", ",1,2,"}},
    };
    for (const auto& lines : cases) {
        std::string text = "Entity\tE\n";
        FieldMap fields;
        for (const auto& [key, value] : lines) {
            text += "\t" + key + "\t" + value + "\n";
            fields.Set(key, value);
        }
        auto scene = Load(text);
        const std::shared_ptr<Entity> expected = Entity::Create("E");
        expected->GetTransform().Deserialize(fields);
        const Transform& read = scene->GetRoots().front()->GetTransform();
        const Transform& want = expected->GetTransform();
        const float got[5] = {read.GetPosition().x, read.GetPosition().y, read.GetRotation(),
                              read.GetScale().x, read.GetScale().y};
        const float wanted[5] = {want.GetPosition().x, want.GetPosition().y, want.GetRotation(),
                                 want.GetScale().x, want.GetScale().y};
        EXPECT_EQ(std::memcmp(got, wanted, sizeof got), 0) << text;
    }
}

TEST_F(SceneLoaderTest, ContentErrorsNameTheProblemTheFileAndTheLineOrTheMissingScene) {
    const std::string where = "\nin " + assets.Path() + "/scenes/bad.scene, line ";
    EXPECT_EQ(LoadFailure("Entity\tA\n" + std::string(kHeader) + "\tprobe\n"),
              "Assertion in VEDebug.cpp line 35: Component probe not found" + where + "5");
    EXPECT_EQ(LoadFailure("Entity\tA\n" + std::string(kHeader) + "\tProbe \n"),
              "Assertion in VEDebug.cpp line 35: Component Probe  not found" + where + "5");
    // A tab before "/" makes an ordinary line, here a component line.
    EXPECT_EQ(LoadFailure("Entity\tA\n" + std::string(kHeader) + "\t/ note\n"),
              "Assertion in VEDebug.cpp line 35: Component / note not found" + where + "5");
    EXPECT_NE(LoadFailure("Entity\tA\n" + std::string(kHeader) + "\t\t\n").find("only tabs"),
              std::string::npos);
    const std::string orphan = LoadFailure("Probe\n");
    EXPECT_NE(orphan.find("belongs to no entity"), std::string::npos);
    EXPECT_TRUE(orphan.ends_with(where + "1")) << orphan;
    const std::string noTab = LoadFailure("Entity\tA\n\tt\t0,0\n\tr 0\n\ts\t1,1\n");
    EXPECT_NE(noTab.find("key, a tab"), std::string::npos);
    EXPECT_TRUE(noTab.ends_with(where + "3")) << noTab;
    EXPECT_NE(LoadFailure("\tEntity\tA\n" + std::string(kHeader)).find("no entity above it"),
              std::string::npos);
    // An entity at the depth of a component's fields would take those fields, before or after
    // any was read.
    const std::string amongFields = "Entity\tA\n" + std::string(kHeader) + "\tProbe\n";
    const std::string child = "\t\tEntity\tB\n\t\t\tt\t0,0\n\t\t\tr\t0\n\t\t\ts\t1,1\n";
    for (const auto& [text, line] : {std::pair{amongFields + "\t\tw\t30\n\t\th\t10\n" + child, "8"},
                                     std::pair{amongFields + child + "\t\t\tProbe\n", "6"}}) {
        const std::string message = LoadFailure(text);
        EXPECT_NE(message.find("among the fields of the component"), std::string::npos) << message;
        EXPECT_TRUE(message.ends_with(where + line)) << message;
    }
    // A missing scene, or a folder in its place, is named without a line.
    EXPECT_EQ(FatalMessageOf([] { Resources::Get().Get<Scene>("scenes/none"); }),
              "Assertion failed in VEDebug.cpp line 22: Failed to load Scene scenes/none");
    assets.Write("scenes/folder.scene/inside", "");
    EXPECT_EQ(FatalMessageOf([] { Resources::Get().Get<Scene>("scenes/folder"); }),
              "Assertion failed in VEDebug.cpp line 22: Failed to load Scene scenes/folder");
}
