// Loads every sprite and sound under the asset folder the way the game does (SDL2_image for
// PNG, SDL2_mixer's whole-file decode for MP3) and fails when one does not decode.
// Build: g++ -std=c++20 check_assets.cpp $(pkg-config --cflags --libs sdl2 SDL2_image SDL2_mixer)
// Run:   SDL_AUDIODRIVER=dummy ./check_assets assets
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> FilesWithExtension(const fs::path& root, const std::string& extension) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) {
            found.push_back(entry.path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

int CheckSprites(const fs::path& root) {
    int failures = 0;
    for (const auto& path : FilesWithExtension(root, ".png")) {
        SDL_Surface* surface = IMG_Load(path.c_str());
        if (surface == nullptr || surface->w <= 0 || surface->h <= 0) {
            std::fprintf(stderr, "sprite does not decode: %s (%s)\n", path.c_str(), IMG_GetError());
            ++failures;
        }
        SDL_FreeSurface(surface);
    }
    return failures;
}

// Seconds of audio in a decoded chunk, from the mixer's output format.
double ChunkSeconds(const Mix_Chunk& chunk) {
    int frequency = 0;
    int channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    const int bytesPerFrame = SDL_AUDIO_BITSIZE(format) / 8 * channels;
    return bytesPerFrame > 0 ? static_cast<double>(chunk.alen) / bytesPerFrame / frequency : 0.0;
}

int CheckSounds(const fs::path& root) {
    int failures = 0;
    for (const auto& path : FilesWithExtension(root, ".mp3")) {
        Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
        if (chunk == nullptr || chunk->alen == 0) {
            std::fprintf(stderr, "sound does not decode: %s (%s)\n", path.c_str(), Mix_GetError());
            ++failures;
        } else {
            std::printf("%6.2f s  %s\n", ChunkSeconds(*chunk), path.c_str());
        }
        Mix_FreeChunk(chunk);
    }
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_assets ASSETS_DIR\n");
        return 2;
    }
    const fs::path root = argv[1];
    if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        std::fprintf(stderr, "audio start-up failed: %s\n", SDL_GetError());
        return 1;
    }
    Mix_Init(MIX_INIT_MP3);
    IMG_Init(IMG_INIT_PNG);
    const int sprites = static_cast<int>(FilesWithExtension(root, ".png").size());
    const int sounds = static_cast<int>(FilesWithExtension(root, ".mp3").size());
    const int failures = CheckSprites(root) + CheckSounds(root);
    IMG_Quit();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
    std::printf("%d sprites and %d sounds checked, %d do not decode\n", sprites, sounds, failures);
    return failures == 0 ? 0 : 1;
}
