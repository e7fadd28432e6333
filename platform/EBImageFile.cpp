#include "platform/EBImageFile.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>

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
    SDL_Surface* loaded = IMG_Load(path);
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
    rgba.resize(static_cast<std::size_t>(width) * height * 4);
    for (int row = 0; row < height; ++row) {
        const auto* source =
            static_cast<const unsigned char*>(converted->pixels) + row * converted->pitch;
        std::copy(source, source + width * 4,
                  rgba.begin() + static_cast<std::ptrdiff_t>(row) * width * 4);
    }
    SDL_FreeSurface(converted);
    return true;
}
