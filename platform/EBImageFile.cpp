#include "platform/EBImageFile.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include "platform/EBPngDecode.h"

bool EBImageSavePNG(const char* path, const unsigned char* rgba, int width, int height) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<unsigned char*>(rgba), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        return false;
    }
    const bool saved = IMG_SavePNG(surface, path) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

bool EBImageLoadPNG(const char* path, std::vector<unsigned char>& rgba, int& width, int& height) {
    constexpr int kMaxSide = 16384;  // larger than any screen a screenshot comes from
    return EBInternal::DecodePngFile(path, kMaxSide, rgba, width, height);
}
