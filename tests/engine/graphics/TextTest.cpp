// The text component's fields, their defaults and the content errors of bad ones.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/entity/Entity.h"
#include "engine/graphics/Text.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/Resources.h"
#include "support/FatalCatcher.h"
#include "support/TempFolder.h"

using namespace VelaEngine;
using namespace VelaEngine::Graphics;

namespace {

const std::string kFail = "Assertion in VEDebug.cpp line 35: ";

// The game's own font, and a file named like a font that is none, in an asset folder.
class TextFields : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_.File("assets/fonts"));
        std::filesystem::copy_file(FLEETWING_SOURCE_DIR "/assets/fonts/DejaVuSans-Bold.ttf",
                                   folder_.File("assets/fonts/DejaVuSans-Bold.ttf"));
        folder_.Write("assets/fonts/notafont.ttf", "plain words, no glyphs");
        Resources::Create();
        Resources::Get().Init(folder_.File("assets"), nullptr);
    }
    void TearDown() override {
        entity_.reset();
        Resources::Release();
    }
    std::string Assets() const { return folder_.File("assets"); }

    TestSupport::TempFolder folder_;
    std::shared_ptr<Entity> entity_ = Entity::Create("Label");
    Text* text_ = entity_->AddComponent<Text>();
};

TEST_F(TextFields, AbsentFieldsGiveWhiteCentredEmptyTextInTheGamesFontWithoutShadow) {
    text_->SetText("before");
    text_->SetAlign(Text::Align::Right);
    text_->Deserialize(FieldMap());
    EXPECT_EQ(text_->GetTypeName(), std::string("Text"));
    EXPECT_EQ(text_->GetText(), "");
    EXPECT_EQ(text_->GetFont(), "fonts/DejaVuSans-Bold");
    EXPECT_EQ(text_->GetSize(), 32);
    EXPECT_EQ(text_->GetColor(), Color(1, 1, 1, 1));
    EXPECT_EQ(text_->GetShadow().a, 0.0f);
    EXPECT_EQ(text_->GetAlign(), Text::Align::Center);
}

TEST_F(TextFields, GivenFieldsAreKeptAndACloneCarriesThemOver) {
    FieldMap fields;
    fields.Set("text", "Level 3: Up  and over ");
    fields.Set("font", "fonts/DejaVuSans-Bold");
    fields.Set("size", "24");
    fields.Set("color", "0.5,0.25,1,0.75");
    fields.Set("shadow", "0,0,0,0.5");
    fields.Set("align", "left");
    text_->Deserialize(fields);
    auto other = Entity::Create("Copy");
    auto copy = std::dynamic_pointer_cast<Text>(text_->Clone(other.get()));
    ASSERT_NE(copy, nullptr);
    for (const Text* t : {text_, copy.get()}) {
        SCOPED_TRACE(t == text_ ? "read" : "cloned");
        EXPECT_EQ(t->GetText(), "Level 3: Up  and over ") << "spaces are content";
        EXPECT_EQ(t->GetSize(), 24);
        EXPECT_EQ(t->GetColor(), Color(0.5f, 0.25f, 1.0f, 0.75f));
        EXPECT_EQ(t->GetShadow(), Color(0, 0, 0, 0.5f));
        EXPECT_EQ(t->GetAlign(), Text::Align::Left);
    }
    EXPECT_STREQ(Text::AlignName(Text::Align::Right), "right");
    EXPECT_STREQ(Text::AlignName(copy->GetAlign()), "left");
}

TEST_F(TextFields, BadFieldsAreContentErrorsThatNameTheValue) {
    const struct {
        const char* field;
        const char* value;
        std::string message;
    } rows[] = {
        {"size", "0", "Text size must be 1 to 512 pixels, not \"0\""},
        {"size", "-12", "Text size must be 1 to 512 pixels, not \"-12\""},
        {"size", "513", "Text size must be 1 to 512 pixels, not \"513\""},
        {"size", "big", "Text size must be 1 to 512 pixels, not \"big\""},
        {"align", "middle", "Text align must be left, center or right, not \"middle\""},
        {"align", "", "Text align must be left, center or right, not \"\""},
        {"font", "fonts/missing", "Text font not found: " + Assets() + "/fonts/missing.ttf"},
        {"font", "fonts", "Text font not found: " + Assets() + "/fonts.ttf"},
        {"font", "fonts/notafont", "Text font cannot be read: " + Assets() + "/fonts/notafont.ttf"},
        {"color", "1,1,1", ""},  // the colour's own format error, checked below
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.field) + " " + row.value);
        FieldMap fields;
        fields.Set(row.field, row.value);
        const std::string message =
            TestSupport::FatalMessageOf([&] { text_->Deserialize(fields); });
        if (row.message.empty()) {
            EXPECT_NE(message, "");
        } else {
            EXPECT_EQ(message, kFail + row.message);
        }
    }
    // Text alone never fails: any line the scene format can hold is shown as it is.
    FieldMap fields;
    fields.Set("text", "%s %d \\n");
    EXPECT_EQ(TestSupport::FatalMessageOf([&] { text_->Deserialize(fields); }), "");
    EXPECT_EQ(text_->GetText(), "%s %d \\n");
}

}  // namespace
