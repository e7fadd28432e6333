#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/EBGfxDebug.h"
#include "platform/EBGfxState.h"
#include "platform/EBGraphics.h"

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

uint32_t BigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           uint32_t{bytes[3]};
}

// Whether the file is a PNG whose header declares a size the GL can take: signature, then the
// IHDR chunk with the width and height.
bool HasPngHeaderOfUsableSize(SDL_RWops* file) {
    static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char header[24];
    if (SDL_RWseek(file, 0, RW_SEEK_SET) != 0 || SDL_RWread(file, header, sizeof(header), 1) != 1 ||
        std::memcmp(header, kSignature, sizeof(kSignature)) != 0 ||
        std::memcmp(header + 12, "IHDR", 4) != 0) {
        return false;
    }
    const uint32_t width = BigEndian32(header + 16);
    const uint32_t height = BigEndian32(header + 20);
    const auto limit = static_cast<uint32_t>(MaxTextureSide());
    return width > 0 && height > 0 && width <= limit && height <= limit;
}

// Whether every chunk, up to and with IEND, lies inside the file. The decoder takes a short
// read as data, and on a cut file it would go round the stale bytes of a chunk header forever.
bool ChunksEndInsideTheFile(SDL_RWops* file) {
    constexpr Sint64 kChunkFrame = 12;  // length, type and CRC around the data
    const Sint64 size = SDL_RWsize(file);
    Sint64 at = 8;
    while (size >= 0 && at + kChunkFrame <= size) {
        unsigned char header[8];
        if (SDL_RWseek(file, at, RW_SEEK_SET) != at || SDL_RWread(file, header, 8, 1) != 1) {
            return false;
        }
        at += kChunkFrame + BigEndian32(header);
        if (std::memcmp(header + 4, "IEND", 4) == 0) {
            return at <= size;
        }
    }
    return false;
}

// A PNG the decoder can read to its end without running out of file. The file is left at its
// start.
bool IsWholePngOfUsableSize(SDL_RWops* file) {
    const bool usable = HasPngHeaderOfUsableSize(file) && ChunksEndInsideTheFile(file);
    return SDL_RWseek(file, 0, RW_SEEK_SET) == 0 && usable;
}

// Sprites are PNG files; their size is checked before the pixels are decoded into tight RGBA
// rows, top row first.
bool DecodeImage(const char* path, std::vector<unsigned char>& rgba, int& width, int& height) {
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    SDL_Surface* loaded = IsWholePngOfUsableSize(file) ? IMG_LoadPNG_RW(file) : nullptr;
    SDL_RWclose(file);
    if (loaded == nullptr) {
        return false;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (converted == nullptr) {
        return false;
    }
    width = converted->w;
    height = converted->h;
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    rgba.resize(rowBytes * static_cast<size_t>(height));
    SDL_LockSurface(converted);
    for (int row = 0; row < height; ++row) {
        const auto* source = static_cast<const unsigned char*>(converted->pixels) +
                             static_cast<size_t>(row) * static_cast<size_t>(converted->pitch);
        std::memcpy(rgba.data() + rowBytes * static_cast<size_t>(row), source, rowBytes);
    }
    SDL_UnlockSurface(converted);
    SDL_FreeSurface(converted);
    return true;
}
}  // namespace

float EBGfxReduceTextureOffset(float offset) {
    while (offset > 1.0f) {
        offset -= 1.0f;
    }
    return offset;
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
