#pragma once
// One line of text drawn by the engine from a font file, so that counts and times can change
// while the game runs. It sits on its entity like an image: placed, turned and scaled by the
// entity's world placement, one world unit per font pixel.
#include <memory>
#include <string>

#include "engine/entity/Listener.h"
#include "engine/graphics/Color.h"
#include "engine/graphics/Graphic.h"
#include "engine/graphics/Mesh.h"

struct EBGfxTexture;

namespace VelaEngine::Graphics {

class Text : public Graphic {
public:
    enum class Align { Left, Center, Right };

    static constexpr const char* kDefaultFont = "fonts/DejaVuSans-Bold";
    static constexpr int kDefaultSize = 32;
    static constexpr int kMaxSize = 512;

    explicit Text(Entity* owner);
    ~Text() override;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;

    const char* GetTypeName() const override { return "Text"; }
    // "text" (default empty), "font" (a resource name of a .ttf file, default
    // kDefaultFont), "size" (pixels, 1 to kMaxSize, default kDefaultSize), "color" (default
    // white), "align" ("left", "center" or "right" of the entity's origin, default "center"),
    // "shadow" (a colour drawn 2 units down and right behind the text; default none).
    // A font that cannot be read, a size out of range or an unknown alignment is fatal.
    void Deserialize(const FieldMap& fields) override;
    std::shared_ptr<Component> Clone(Entity* newOwner) const override;

    // Opens the font file (asset path, "/", font, ".ttf") at the size; fatal when it fails.
    void SetFont(const std::string& font, int size);
    // The picture is made again at the next draw, and only when the text changed.
    void SetText(const std::string& text);
    void SetColor(const Color& color) { color_ = color; }
    void SetShadow(const Color& shadow) { shadow_ = shadow; }
    void SetAlign(Align align);

    const std::string& GetText() const { return text_; }
    const std::string& GetFont() const { return font_; }
    int GetSize() const { return size_; }
    const Color& GetColor() const { return color_; }
    const Color& GetShadow() const { return shadow_; }
    Align GetAlign() const { return align_; }
    static const char* AlignName(Align align);

private:
    void OnDraw(const Events::EventBase& event);
    // Renders the text into a texture and its quad; nothing without a graphics context.
    void Refresh();
    void ReleasePicture();

    std::string text_;
    std::string font_ = kDefaultFont;
    int size_ = kDefaultSize;
    Color color_;
    Color shadow_{0.0f, 0.0f, 0.0f, 0.0f};
    Align align_ = Align::Center;
    unsigned fontHandle_ = 0;
    EBGfxTexture* texture_ = nullptr;
    int pictureWidth_ = 0;
    bool stale_ = true;
    Mesh mesh_;

    Events::ClassListener<Text> drawListener_{this, &Text::OnDraw};
};

}  // namespace VelaEngine::Graphics
