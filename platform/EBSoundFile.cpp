#include "platform/EBSoundFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/EBAllocationBudget.h"

namespace EBInternal {

namespace {

// The decoders hold their decoded pieces and the joined result at once, plus some state.
constexpr std::size_t kDecodeWorkspaceBytes = 2 * kMaxDecodedSoundBytes + (1u << 20);

std::string Mebibytes(long long bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

// Opening without blocking keeps a pipe from waiting for a writer; the checks then run on
// what was opened, so the file cannot be swapped for another in between.
SDL_RWops* OpenRegularFile(const char* path, std::string& reason) {
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::string("cannot open the file: ") + std::strerror(errno);
        return nullptr;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        reason = "not a regular file";
    } else if (status.st_size > kMaxSoundFileBytes) {
        reason = "the file is larger than " + Mebibytes(kMaxSoundFileBytes);
    } else if (FILE* stream = fdopen(fd, "rb")) {
        return SDL_RWFromFP(stream, SDL_TRUE);
    } else {
        reason = std::string("cannot read the file: ") + std::strerror(errno);
    }
    close(fd);
    return nullptr;
}

}  // namespace

bool IsSoundFileOfUsableSize(const char* path, std::string& reason) {
    SDL_RWops* file = OpenRegularFile(path, reason);
    if (file == nullptr) {
        return false;
    }
    SDL_RWclose(file);
    return true;
}

Mix_Chunk* LoadSoundFile(const char* path, std::string& reason) {
    SDL_RWops* file = OpenRegularFile(path, reason);
    if (file == nullptr) {
        return nullptr;
    }
    Mix_Chunk* chunk = nullptr;
    bool tooLarge = false;
    {
        AllocationBudget budget(kDecodeWorkspaceBytes);
        chunk = Mix_LoadWAV_RW(file, 1);
        tooLarge = budget.Exceeded();
    }
    if (chunk != nullptr && (tooLarge || chunk->alen > kMaxDecodedSoundBytes)) {
        Mix_FreeChunk(chunk);
        chunk = nullptr;
        tooLarge = true;
    }
    if (tooLarge) {
        reason = "the sound decodes to more than " +
                 Mebibytes(static_cast<long long>(kMaxDecodedSoundBytes));
    } else if (chunk == nullptr) {
        reason = Mix_GetError();
    }
    return chunk;
}

}  // namespace EBInternal
