#pragma once
// How a sound file becomes samples: only a regular file of modest size is opened, and its
// decoding stops at a ceiling, so a pipe, a device or a hostile file cannot hang the game or
// exhaust its memory.
#include <SDL_mixer.h>

#include <cstddef>
#include <string>

namespace EBInternal {

// The shipped sounds are at most 188 KB as files and 2.7 MiB decoded (the menu music).
constexpr long long kMaxSoundFileBytes = 16ll << 20;
constexpr std::size_t kMaxDecodedSoundBytes = 32u << 20;

// Whether the file is regular and within the file size ceiling; `reason` says why not.
bool IsSoundFileOfUsableSize(const char* path, std::string& reason);

// Decodes the whole file in the mixer's format. Null, with `reason` set, for a missing or
// non-regular file, one past the size ceilings, or one the decoders do not know.
Mix_Chunk* LoadSoundFile(const char* path, std::string& reason);

}  // namespace EBInternal
