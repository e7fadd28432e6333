#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxRecorder.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBPngDecode.h"

using EBInternal::Emit;
using EBInternal::GlCommand;
using EBInternal::GlOp;
using EBInternal::Graphics;

namespace {
constexpr size_t kMaxPathLength = 255;

EBGfxTexture* NewRecord() {
    auto* texture = new EBGfxTexture{};
    texture->name = new unsigned(0);
    return texture;
}

GLuint CreateTexture(GLint internalFormat, int width, int height, const unsigned char* rgba,
                     int pitch = 0) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Padded rows are read where they lie: the GL's copy is the only one.
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

// No sprite needs more, and a damaged header must not claim gigabytes before the decoder
// finds out that the pixels are not there.
constexpr int kMaxTextureSide = 8192;

int MaxTextureSide() {
    GLint driver = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &driver);
    return driver > 0 ? std::min<int>(driver, kMaxTextureSide) : kMaxTextureSide;
}

}  // namespace

float EBGfxReduceTextureOffset(float offset) {
    // No sensible shift exists for these, so none is made.
    if (!std::isfinite(offset)) {
        return 0.0f;
    }
    if (offset <= 1.0f) {
        return offset;
    }
    // What taking 1 away while above 1 leaves, in one step: past 2^24 a float is whole and
    // taking 1 away no longer changes it.
    const float fraction = offset - std::floor(offset);
    return fraction == 0.0f ? 1.0f : fraction;
}

void EBGfxTextureInitialize(EBGfxTexture** texture) {
    if (texture != nullptr) {
        *texture = NewRecord();
    }
}

EBGfxTexture* EBGfxTextureLoad(const char* path) {
    if (path == nullptr || std::strlen(path) > kMaxPathLength || !Graphics().ready) {
        return nullptr;
    }
    // Sprites are PNG files of a size the GL takes; the decoder's rows go to the GL as they are.
    EBInternal::DecodedPng picture;
    if (!EBInternal::DecodePng(path, MaxTextureSide(), picture)) {
        return nullptr;
    }
    EBInternal::DrawNow();
    EBGfxTexture* texture = NewRecord();
    std::strncpy(texture->fileName, path, sizeof(texture->fileName) - 1);
    *texture->name =
        CreateTexture(GL_RGBA8, picture.width, picture.height, picture.pixels, picture.pitch);
    EBInternal::FreeDecodedPng(picture);
    return texture;
}

bool EBGfxTextureFileUsable(const char* path) {
    return path != nullptr && std::strlen(path) <= kMaxPathLength && Graphics().ready &&
           EBInternal::IsUsablePngFile(path, MaxTextureSide());
}

EBGfxTexture* EBGfxTextureLoadFromMemory(const unsigned char* rgba, int width, int height) {
    if (rgba == nullptr || width <= 0 || height <= 0 || !Graphics().ready) {
        return nullptr;
    }
    EBInternal::DrawNow();
    EBGfxTexture* texture = NewRecord();
    *texture->name = CreateTexture(GL_RGBA, width, height, rgba);
    return texture;
}

void EBGfxTextureSet(EBGfxTexture* texture, float u, float v) {
    if (!Graphics().ready) {
        return;
    }
    GlCommand bind;
    bind.op = GlOp::BindTexture;
    if (texture == nullptr) {
        Emit(bind);
        return;
    }
    bind.i[0] = static_cast<int32_t>(*texture->name);
    bind.i[1] = 1;
    Emit(bind);
    GlCommand sampler;
    sampler.op = GlOp::Uniform1i;
    sampler.name = "uTexture";
    Emit(sampler);
    GlCommand check;
    check.op = GlOp::CheckErrors;
    check.name = "EBGfxTextureSet";
    check.i[0] = 2310;
    Emit(check);
    GlCommand offset;
    offset.op = GlOp::Uniform2f;
    offset.name = "uTextureOffset";
    offset.f[0] = EBGfxReduceTextureOffset(u);
    offset.f[1] = EBGfxReduceTextureOffset(v);
    Emit(offset);
    check.i[0] = 2320;
    Emit(check);
}

void EBGfxSetTextureMode(int mode) {
    if (mode != 0 && mode != 1) {
        std::printf("Unsupported texture mode!\n");
        return;
    }
    if (!Graphics().ready) {
        return;
    }
    GlCommand filter;
    filter.op = GlOp::TextureFilter;
    filter.i[0] = mode == 0 ? GL_NEAREST : GL_LINEAR;
    Emit(filter);
}

void EBGfxTextureUnload(EBGfxTexture* texture) {
    if (texture == nullptr) {
        return;
    }
    if (texture->name != nullptr && Graphics().ready && !EBInternal::KeepingFreedObjects()) {
        EBInternal::DrawNow();
        glDeleteTextures(1, texture->name);
    }
    delete texture->name;
    delete texture;
}

void EBGfxSaveTextureToFile(EBGfxTexture* texture, const char* fileName) {
    if (texture != nullptr && fileName != nullptr) {
        std::printf(
            "EBGfxSaveTextureToFile not supported in the OpenGL version of the Ember Engine!\n");
    }
}
