#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/EBGfxRecorder.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"

using EBInternal::Graphics;

namespace {
constexpr size_t kPrintBufferSize = 256;

// A face read from a file is shared by every id asking for the same file and height: opening
// one costs more than the rest of a scene's loading.
using SharedKey = std::pair<std::string, int>;

struct OpenFont {
    TTF_Font* font = nullptr;
    SharedKey shared;  // empty path: the id's own face
};

struct SharedFont {
    TTF_Font* font = nullptr;
    int users = 0;
};

struct FontTable {
    std::map<unsigned, OpenFont> fonts;
    std::map<SharedKey, SharedFont> shared;
    unsigned nextId = 1;
};

FontTable& Fonts() {
    static FontTable table;
    return table;
}

bool StartFontEngine() {
    return TTF_WasInit() != 0 || TTF_Init() == 0;
}

bool Visible(int x, int y) {
    const auto& g = Graphics();
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    return fx >= g.minX && fx <= g.maxX && fy >= g.minY && fy <= g.maxY;
}

// The text in white over transparency, as tight RGBA rows, top row first.
SDL_Surface* RenderText(TTF_Font* font, const char* text) {
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text, SDL_Color{255, 255, 255, 255});
    if (rendered == nullptr) {
        return nullptr;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(rendered);
    return rgba;
}

GLuint UploadText(SDL_Surface* surface) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, surface->pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, surface->w, surface->h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 surface->pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    return name;
}

// One textured quad whose baseline starts at (x, y) in world units.
void DrawTextQuad(TTF_Font* font, SDL_Surface* surface, int x, int y) {
    const float left = static_cast<float>(x);
    const float right = left + static_cast<float>(surface->w);
    const float top = static_cast<float>(y + TTF_FontAscent(font));
    const float bottom = top - static_cast<float>(surface->h);
    const float positions[] = {left, bottom, 0, right, bottom, 0, right, top, 0,
                               left, bottom, 0, right, top,    0, left,  top, 0};
    const float coordinates[] = {0, 1, 1, 1, 1, 0, 0, 1, 1, 0, 0, 0};
    const GLuint texture = UploadText(surface);
    const int sampler = EBInternal::UniformLocation("uTexture");
    if (sampler >= 0) {
        glUniform1i(sampler, 0);
    }
    const int offset = EBInternal::UniformLocation("uTextureOffset");
    if (offset >= 0) {
        glUniform2f(offset, 0.0f, 0.0f);
    }
    EBInternal::DrawClientArrays(GL_TRIANGLES, positions, nullptr, coordinates, 6);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
}
}  // namespace

unsigned EBGfxCreateFont(const char* /*face*/, int height, bool bold, bool italic) {
    if (height <= 0 || !StartFontEngine()) {
        return 0;
    }
    // One face ships with the game; the requested face name is not looked up.
    TTF_Font* font = TTF_OpenFont(FLEETWING_FONT_PATH, height);
    if (font == nullptr) {
        std::fprintf(stderr, "EBGfxCreateFont: cannot open %s: %s\n", FLEETWING_FONT_PATH,
                     TTF_GetError());
        return 0;
    }
    TTF_SetFontStyle(font, (bold ? TTF_STYLE_BOLD : 0) | (italic ? TTF_STYLE_ITALIC : 0));
    const unsigned id = Fonts().nextId++;
    Fonts().fonts[id] = OpenFont{font, {}};
    return id;
}

unsigned EBGfxFontOpen(const char* path, int pixelHeight) {
    if (path == nullptr || pixelHeight <= 0 || !StartFontEngine()) {
        return 0;
    }
    SharedKey key(path, pixelHeight);
    SharedFont& shared = Fonts().shared[key];
    if (shared.font == nullptr) {
        shared.font = TTF_OpenFont(path, pixelHeight);
        if (shared.font == nullptr) {
            Fonts().shared.erase(key);
            return 0;
        }
    }
    ++shared.users;
    const unsigned id = Fonts().nextId++;
    Fonts().fonts[id] = OpenFont{shared.font, std::move(key)};
    return id;
}

EBGfxTexture* EBGfxTextTexture(unsigned font, const char* utf8, int* width, int* height) {
    auto found = Fonts().fonts.find(font);
    if (utf8 == nullptr || utf8[0] == '\0' || found == Fonts().fonts.end() || !Graphics().ready) {
        return nullptr;
    }
    SDL_Surface* surface = RenderText(found->second.font, utf8);
    if (surface == nullptr) {
        return nullptr;
    }
    // Tight rows for the upload; the surface may pad them.
    const size_t row = static_cast<size_t>(surface->w) * 4;
    std::vector<unsigned char> rgba(row * static_cast<size_t>(surface->h));
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        std::memcpy(rgba.data() + row * static_cast<size_t>(y),
                    static_cast<const unsigned char*>(surface->pixels) + surface->pitch * y, row);
    }
    SDL_UnlockSurface(surface);
    EBGfxTexture* texture = EBGfxTextureLoadFromMemory(rgba.data(), surface->w, surface->h);
    if (texture != nullptr) {
        // Text is drawn at any scale of the window: smooth edges read better than steps.
        glBindTexture(GL_TEXTURE_2D, *texture->name);
        EBGfxSetTextureMode(1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBindTexture(GL_TEXTURE_2D, 0);
        if (width != nullptr) {
            *width = surface->w;
        }
        if (height != nullptr) {
            *height = surface->h;
        }
    }
    SDL_FreeSurface(surface);
    return texture;
}

void EBGfxDestroyFont(unsigned base) {
    auto found = Fonts().fonts.find(base);
    if (found == Fonts().fonts.end()) {
        return;
    }
    if (found->second.shared.first.empty()) {
        TTF_CloseFont(found->second.font);
    } else {
        auto shared = Fonts().shared.find(found->second.shared);
        if (--shared->second.users == 0) {
            TTF_CloseFont(shared->second.font);
            Fonts().shared.erase(shared);
        }
    }
    Fonts().fonts.erase(found);
}

void EBGfxPrint(unsigned base, const char* format, int x, int y, float r, float g, float b, ...) {
    auto found = Fonts().fonts.find(base);
    if (format == nullptr || found == Fonts().fonts.end() || !Graphics().ready || !Visible(x, y)) {
        return;
    }
    char text[kPrintBufferSize];
    va_list args;
    // The call's shape ends its named arguments with a float, which the language leaves
    // undefined for va_start; the compilers we build with find the arguments by the call
    // frame, not by that parameter's type.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wvarargs"
#endif
    va_start(args, b);
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    if (text[0] == '\0') {
        return;
    }
    SDL_Surface* surface = RenderText(found->second.font, text);
    if (surface == nullptr) {
        return;
    }
    // Its texture lives only for this call, so the text is drawn at once.
    EBInternal::DrawNow();
    const int previousMode = EBGfxGetRenderMode();
    EBGfxSetRenderMode(2);
    EBGfxSetPosition(0.0f, 0.0f);
    EBGfxSetBlendColor(r, g, b, 1.0f);
    DrawTextQuad(found->second.font, surface, x, y);
    EBGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
    EBGfxSetRenderMode(previousMode);
    SDL_FreeSurface(surface);
}

namespace EBInternal {

void CloseFonts() {
    for (auto& entry : Fonts().fonts) {
        if (entry.second.shared.first.empty()) {
            TTF_CloseFont(entry.second.font);
        }
    }
    for (auto& entry : Fonts().shared) {
        TTF_CloseFont(entry.second.font);
    }
    Fonts().fonts.clear();
    Fonts().shared.clear();
    if (TTF_WasInit() != 0) {
        TTF_Quit();
    }
}

}  // namespace EBInternal
