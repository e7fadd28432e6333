#include "engine/graphics/Text.h"

#include "engine/core/RegularFile.h"
#include "engine/core/VEDebug.h"
#include "engine/entity/Entity.h"
#include "engine/entity/Matrix3x3.h"
#include "engine/entity/MatrixStack.h"
#include "engine/graphics/DrawMesh.h"
#include "engine/graphics/Quad.h"
#include "engine/scene/AssetCache.h"
#include "engine/scene/FieldMap.h"
#include "platform/EBGraphics.h"

namespace VelaEngine::Graphics {

namespace {
constexpr float kOpaqueTint = 1.0f;
// Far enough to read as a drop shadow at every size the game uses, near enough to stay one.
constexpr float kShadowOffset = 2.0f;

Text::Align ParseAlign(const std::string& name) {
    if (name == "left") {
        return Text::Align::Left;
    }
    if (name == "center") {
        return Text::Align::Center;
    }
    if (name == "right") {
        return Text::Align::Right;
    }
    Fail("Text align must be left, center or right, not \"" + name + "\"");
    return Text::Align::Center;
}

// Where the quad's centre sits from the entity's origin for an alignment.
float CentreOffset(Text::Align align, float width) {
    switch (align) {
        case Text::Align::Left:
            return width * 0.5f;
        case Text::Align::Right:
            return -width * 0.5f;
        case Text::Align::Center:
            break;
    }
    return 0.0f;
}
}  // namespace

Text::Text(Entity* owner) : Graphic(owner) {
    owner->GetDrawListeners().Register(drawListener_);
}

Text::~Text() {
    ReleasePicture();
    EBGfxDestroyFont(fontHandle_);
}

const char* Text::AlignName(Align align) {
    switch (align) {
        case Align::Left:
            return "left";
        case Align::Right:
            return "right";
        case Align::Center:
            break;
    }
    return "center";
}

void Text::Deserialize(const FieldMap& fields) {
    const std::string font = fields.Get("font", kDefaultFont);
    const std::string sizeText = fields.Get("size", std::to_string(kDefaultSize).c_str());
    const int size = fields.Get("size", kDefaultSize);
    if (size < 1 || size > kMaxSize) {
        Fail("Text size must be 1 to " + std::to_string(kMaxSize) + " pixels, not \"" + sizeText +
             "\"");
    }
    SetAlign(ParseAlign(fields.Get("align", "center")));
    color_ = fields.Get("color", Color());
    shadow_ = fields.Get("shadow", Color(0.0f, 0.0f, 0.0f, 0.0f));
    SetText(fields.Get("text", ""));
    SetFont(font, size);
}

std::shared_ptr<Component> Text::Clone(Entity* newOwner) const {
    auto copy = MakePacked<Text>(newOwner);
    copy->color_ = color_;
    copy->shadow_ = shadow_;
    copy->align_ = align_;
    copy->text_ = text_;
    copy->SetFont(font_, size_);
    return copy;
}

void Text::SetFont(const std::string& font, int size) {
    const std::string path = AssetPath() + "/" + font + ".ttf";
    if (!IsRegularFile(path)) {
        Fail("Text font not found: " + path);
    }
    const unsigned handle = EBGfxFontOpen(path.c_str(), size);
    if (handle == 0) {
        Fail("Text font cannot be read: " + path);
    }
    EBGfxDestroyFont(fontHandle_);
    fontHandle_ = handle;
    font_ = font;
    size_ = size;
    stale_ = true;
}

void Text::SetText(const std::string& text) {
    if (text != text_) {
        text_ = text;
        stale_ = true;
    }
}

void Text::SetAlign(Align align) {
    if (align != align_) {
        align_ = align;
        stale_ = true;
    }
}

void Text::ReleasePicture() {
    EBGfxTextureUnload(texture_);
    texture_ = nullptr;
    pictureWidth_ = 0;
    mesh_.Clear();
}

void Text::Refresh() {
    ReleasePicture();
    int width = 0;
    int height = 0;
    texture_ = EBGfxTextTexture(fontHandle_, text_.c_str(), &width, &height);
    stale_ = false;
    if (texture_ == nullptr) {
        return;
    }
    pictureWidth_ = width;
    BuildQuad(mesh_, static_cast<float>(width), static_cast<float>(height), QuadCoordinates());
}

void Text::OnDraw(const Events::EventBase&) {
    if (stale_) {
        Refresh();
    }
    if (texture_ == nullptr) {
        return;
    }
    const Vector2 centre(CentreOffset(align_, static_cast<float>(pictureWidth_)), 0.0f);
    const Matrix3x3& world = MatrixStack::Get().GetCurrent();
    if (shadow_.a > 0.0f) {
        const Vector2 shadowCentre(centre.x + kShadowOffset, centre.y - kShadowOffset);
        DrawTexturedMesh(mesh_, texture_, shadow_, kOpaqueTint,
                         world * Matrix3x3::FromTRS(shadowCentre, 0.0f, Vector2(1.0f, 1.0f)));
    }
    DrawTexturedMesh(mesh_, texture_, color_, kOpaqueTint,
                     world * Matrix3x3::FromTRS(centre, 0.0f, Vector2(1.0f, 1.0f)));
}

}  // namespace VelaEngine::Graphics
