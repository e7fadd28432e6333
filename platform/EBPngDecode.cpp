#include "platform/EBPngDecode.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cstdint>
#include <cstring>

namespace {

uint32_t BigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           uint32_t{bytes[3]};
}

// Whether the file is a PNG whose header declares a size within `maxSide`: signature, then the
// IHDR chunk with the width and height.
bool HasPngHeaderOfUsableSize(SDL_RWops* file, int maxSide) {
    static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char header[24];
    if (SDL_RWseek(file, 0, RW_SEEK_SET) != 0 || SDL_RWread(file, header, sizeof(header), 1) != 1 ||
        std::memcmp(header, kSignature, sizeof(kSignature)) != 0 ||
        std::memcmp(header + 12, "IHDR", 4) != 0) {
        return false;
    }
    const uint32_t width = BigEndian32(header + 16);
    const uint32_t height = BigEndian32(header + 20);
    const auto limit = static_cast<uint32_t>(maxSide);
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
bool IsWholePngOfUsableSize(SDL_RWops* file, int maxSide) {
    const bool usable = HasPngHeaderOfUsableSize(file, maxSide) && ChunksEndInsideTheFile(file);
    return SDL_RWseek(file, 0, RW_SEEK_SET) == 0 && usable;
}

}  // namespace

namespace EBInternal {

bool IsUsablePngFile(const char* path, int maxSide) {
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    const bool usable = IsWholePngOfUsableSize(file, maxSide);
    SDL_RWclose(file);
    return usable;
}

bool DecodePng(const char* path, int maxSide, DecodedPng& out) {
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    SDL_Surface* loaded = IsWholePngOfUsableSize(file, maxSide) ? IMG_LoadPNG_RW(file) : nullptr;
    SDL_RWclose(file);
    if (loaded == nullptr) {
        return false;
    }
    // Most sprites decode straight to RGBA bytes; copying the whole picture again to "convert"
    // it cost a tenth of the start-up's full-screen splash card.
    SDL_Surface* converted = loaded;
    if (loaded->format->format != SDL_PIXELFORMAT_RGBA32) {
        converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
        SDL_FreeSurface(loaded);
        if (converted == nullptr) {
            return false;
        }
    }
    SDL_LockSurface(converted);
    out.surface = converted;
    out.pixels = static_cast<const unsigned char*>(converted->pixels);
    out.width = converted->w;
    out.height = converted->h;
    out.pitch = converted->pitch;
    return true;
}

void FreeDecodedPng(DecodedPng& picture) {
    if (picture.surface != nullptr) {
        auto* surface = static_cast<SDL_Surface*>(picture.surface);
        SDL_UnlockSurface(surface);
        SDL_FreeSurface(surface);
    }
    picture = DecodedPng{};
}

bool DecodePngFile(const char* path, int maxSide, std::vector<unsigned char>& rgba, int& width,
                   int& height) {
    DecodedPng picture;
    if (!DecodePng(path, maxSide, picture)) {
        return false;
    }
    width = picture.width;
    height = picture.height;
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    rgba.resize(rowBytes * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row) {
        std::memcpy(rgba.data() + rowBytes * static_cast<size_t>(row),
                    picture.pixels + static_cast<size_t>(row) * static_cast<size_t>(picture.pitch),
                    rowBytes);
    }
    FreeDecodedPng(picture);
    return true;
}

}  // namespace EBInternal
