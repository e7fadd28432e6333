#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"
#include "platform/EBPngDecode.h"

using EBInternal::Graphics;

namespace {
constexpr size_t kMaxPathLength = 255;

EBGfxTexture* NewRecord() {
    auto* texture = new EBGfxTexture{};
    texture->name = new unsigned(0);
    return texture;
}

GLuint CreateTexture(GLint internalFormat, int width, int height, const unsigned char* rgba) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba);
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

// Sprites are PNG files of a size the GL takes.
bool DecodeImage(const char* path, std::vector<unsigned char>& rgba, int& width, int& height) {
    return EBInternal::DecodePngFile(path, MaxTextureSide(), rgba, width, height);
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
    std::vector<unsigned char> rgba;
    int width = 0;
    int height = 0;
    if (!DecodeImage(path, rgba, width, height)) {
        return nullptr;
    }
    EBGfxTexture* texture = NewRecord();
    std::strncpy(texture->fileName, path, sizeof(texture->fileName) - 1);
    *texture->name = CreateTexture(GL_RGBA8, width, height, rgba.data());
    return texture;
}

EBGfxTexture* EBGfxTextureLoadFromMemory(const unsigned char* rgba, int width, int height) {
    if (rgba == nullptr || width <= 0 || height <= 0 || !Graphics().ready) {
        return nullptr;
    }
    EBGfxTexture* texture = NewRecord();
    *texture->name = CreateTexture(GL_RGBA, width, height, rgba);
    return texture;
}

void EBGfxTextureSet(EBGfxTexture* texture, float u, float v) {
    if (!Graphics().ready) {
        return;
    }
    if (texture == nullptr) {
        glBindTexture(GL_TEXTURE_2D, 0);
        return;
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, *texture->name);
    const int sampler = EBInternal::UniformLocation("uTexture");
    if (sampler >= 0) {
        glUniform1i(sampler, 0);
    }
    EBInternal::CheckGLError(2310, "EBGfxTextureSet");
    const int offset = EBInternal::UniformLocation("uTextureOffset");
    if (offset >= 0) {
        glUniform2f(offset, EBGfxReduceTextureOffset(u), EBGfxReduceTextureOffset(v));
    }
    EBInternal::CheckGLError(2320, "EBGfxTextureSet");
}

void EBGfxSetTextureMode(int mode) {
    if (mode != 0 && mode != 1) {
        std::printf("Unsupported texture mode!\n");
        return;
    }
    if (!Graphics().ready) {
        return;
    }
    const GLint filter = mode == 0 ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

void EBGfxTextureUnload(EBGfxTexture* texture) {
    if (texture == nullptr) {
        return;
    }
    if (texture->name != nullptr && Graphics().ready) {
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
