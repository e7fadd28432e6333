#include "platform/EBSound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <future>
#include <string>
#include <utility>
#include <vector>

#include "platform/EBAllocationBudget.h"
#include "platform/EBSoundFile.h"

struct EBSoundChannel {
    int index = 0;
    unsigned mode = EB_SOUND_LOOP_OFF;
    int loopCount = -1;
    // What the mixer was told when the current sound started.
    int mixerLoops = 0;
    // A sound asked to play while it still decodes: it starts when its decoding ends, and the
    // channel counts as sounding meanwhile.
    EBSound* waiting = nullptr;
    bool waitingPaused = false;
};

struct EBSoundSystem {
    std::vector<EBSoundChannel> channels;
    bool initialised = false;
    // "path (reason)" of background decodings that failed, until told.
    std::vector<std::string> failedLoads;
    std::string toldFailure;
};

struct DecodedSound {
    Mix_Chunk* chunk = nullptr;
    std::string reason;
};

struct EBSound {
    Mix_Chunk* chunk = nullptr;
    std::string path;
    // A large file decodes on its own thread; the chunk is taken once it is done.
    std::future<DecodedSound> decoding;
};

namespace {
constexpr int kDecoderNice = 10;

// The mixer is process-wide state, so at most one system is open.
EBSoundSystem* g_openSystem = nullptr;
std::string g_lastError;

// 1024 frames keep the latency near 20 ms without starving slow machines.
constexpr int kBufferFrames = 1024;
constexpr int kOutputChannels = 2;

EBSoundResult Failure(EBSoundResult result, const std::string& reason) {
    g_lastError = reason;
    return result;
}

bool IsOpen(const EBSoundSystem* system) {
    return system != nullptr && system == g_openSystem;
}

// Takes the finished decoding's chunk; false while it still runs.
bool Decoded(EBSound* sound) {
    if (!sound->decoding.valid()) {
        return true;
    }
    if (sound->decoding.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return false;
    }
    DecodedSound result = sound->decoding.get();
    sound->chunk = result.chunk;
    if (sound->chunk == nullptr && g_openSystem != nullptr) {
        g_openSystem->failedLoads.push_back(sound->path + " (" + result.reason + ")");
    }
    return true;
}

bool IsSounding(const EBSoundChannel* channel) {
    return channel->waiting != nullptr || Mix_Playing(channel->index) != 0;
}

// Starts on the channel the sound that waited for its decoding, as its settings now ask.
void StartWaiting(EBSoundChannel* channel) {
    EBSound* sound = channel->waiting;
    channel->waiting = nullptr;
    if (sound->chunk == nullptr) {
        return;
    }
    channel->mixerLoops = channel->mode == EB_SOUND_LOOP_NORMAL ? channel->loopCount : 0;
    if (Mix_PlayChannel(channel->index, sound->chunk, channel->mixerLoops) >= 0 &&
        channel->waitingPaused) {
        Mix_Pause(channel->index);
    }
}

int EffectiveLoops(const EBSoundChannel* channel) {
    return channel->mode == EB_SOUND_LOOP_NORMAL ? channel->loopCount : 0;
}

// Starts the channel's sound again with the loop count its settings now ask for, keeping
// its volume and pause state.
void ApplyLoops(EBSoundChannel* channel) {
    const int loops = EffectiveLoops(channel);
    if (channel->waiting != nullptr || loops == channel->mixerLoops || !IsSounding(channel)) {
        return;
    }
    Mix_Chunk* chunk = Mix_GetChunk(channel->index);
    const bool paused = Mix_Paused(channel->index) != 0;
    if (chunk == nullptr || Mix_PlayChannel(channel->index, chunk, loops) < 0) {
        return;
    }
    if (paused) {
        Mix_Pause(channel->index);
    }
    channel->mixerLoops = loops;
}
}  // namespace

EBSoundResult EBSoundSystemCreate(EBSoundSystem** system) {
    if (system == nullptr) {
        return Failure(EBSoundResult::InvalidParameter, "no place for the sound system");
    }
    *system = nullptr;
    if (g_openSystem != nullptr) {
        return Failure(EBSoundResult::DeviceUnavailable, "a sound system is already open");
    }
    // The mixer's thread starts below; the allocator hooks go in while nothing else allocates.
    EBInternal::EBInstallAllocationBudget();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return Failure(EBSoundResult::DeviceUnavailable, SDL_GetError());
    }
    // Decoders that fail to load only narrow the formats; WAV needs none of them.
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_FLAC);
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, kOutputChannels, kBufferFrames) !=
        0) {
        const std::string reason = Mix_GetError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return Failure(EBSoundResult::DeviceUnavailable, reason);
    }
    // The mixer marks a pause with the tick count, so a pause in the very first millisecond
    // of SDL's clock would be lost: let that millisecond pass.
    while (SDL_GetTicks() == 0) {
        SDL_Delay(1);
    }
    g_openSystem = new EBSoundSystem;
    *system = g_openSystem;
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundSystemGetNumDrivers(EBSoundSystem* system, int* count) {
    if (count == nullptr) {
        return Failure(EBSoundResult::InvalidParameter, "no place for the driver count");
    }
    *count = 0;
    if (!IsOpen(system)) {
        return Failure(EBSoundResult::InvalidHandle, "sound system not open");
    }
    const int listed = SDL_GetNumAudioDevices(0);
    *count = listed > 0 ? listed : 1;
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundSystemInit(EBSoundSystem* system, int channelCount, unsigned flags) {
    (void)flags;  // no start-up options exist
    if (!IsOpen(system)) {
        return Failure(EBSoundResult::InvalidHandle, "sound system not open");
    }
    if (channelCount < 1) {
        return Failure(EBSoundResult::InvalidParameter, "a sound system needs a channel");
    }
    Mix_HaltChannel(-1);
    Mix_AllocateChannels(channelCount);
    system->channels.assign(static_cast<std::size_t>(channelCount), EBSoundChannel{});
    for (int i = 0; i < channelCount; ++i) {
        system->channels[static_cast<std::size_t>(i)].index = i;
        Mix_Volume(i, MIX_MAX_VOLUME);
    }
    system->initialised = true;
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundSystemGetChannel(EBSoundSystem* system, int index, EBSoundChannel** channel) {
    if (channel == nullptr) {
        return Failure(EBSoundResult::InvalidParameter, "no place for the channel");
    }
    *channel = nullptr;
    if (!IsOpen(system)) {
        return Failure(EBSoundResult::InvalidHandle, "sound system not open");
    }
    if (!system->initialised) {
        return Failure(EBSoundResult::NotReady, "sound channels not initialised");
    }
    if (index < 0 || static_cast<std::size_t>(index) >= system->channels.size()) {
        return Failure(EBSoundResult::InvalidParameter, "no channel " + std::to_string(index));
    }
    *channel = &system->channels[static_cast<std::size_t>(index)];
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundSystemUpdate(EBSoundSystem* system) {
    if (!IsOpen(system)) {
        return Failure(EBSoundResult::InvalidHandle, "sound system not open");
    }
    for (EBSoundChannel& channel : system->channels) {
        if (channel.waiting != nullptr && Decoded(channel.waiting)) {
            StartWaiting(&channel);
        }
    }
    return EBSoundResult::Ok;
}

const char* EBSoundSystemNextFailedLoad(EBSoundSystem* system) {
    if (!IsOpen(system) || system->failedLoads.empty()) {
        return nullptr;
    }
    system->toldFailure = std::move(system->failedLoads.front());
    system->failedLoads.erase(system->failedLoads.begin());
    return system->toldFailure.c_str();
}

EBSoundResult EBSoundSystemRelease(EBSoundSystem* system) {
    if (!IsOpen(system)) {
        return Failure(EBSoundResult::InvalidHandle, "sound system not open");
    }
    Mix_HaltChannel(-1);
    for (EBSoundChannel& channel : system->channels) {
        channel.waiting = nullptr;
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    delete system;
    g_openSystem = nullptr;
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundSystemCreateSound(EBSoundSystem* system, const char* path, unsigned mode,
                                       EBSound** sound) {
    if (sound == nullptr || path == nullptr) {
        return Failure(EBSoundResult::InvalidParameter, "no path or no place for the sound");
    }
    *sound = nullptr;
    if (!IsOpen(system)) {
        return Failure(EBSoundResult::InvalidHandle, "sound system not open");
    }
    if ((mode & ~EB_SOUND_NONBLOCKING) != EB_SOUND_CREATESAMPLE) {
        return Failure(EBSoundResult::InvalidParameter, "sounds are only decoded whole");
    }
    if ((mode & EB_SOUND_NONBLOCKING) != 0) {
        // What the file is and its size are told at once; only its decoding waits.
        std::string reason;
        if (!EBInternal::IsSoundFileOfUsableSize(path, reason)) {
            return Failure(EBSoundResult::FileNotLoaded, reason);
        }
        auto* decoding = new EBSound;
        decoding->path = path;
        decoding->decoding = std::async(std::launch::async, [file = std::string(path)] {
            // The frame and the GL's threads come first: music only has to be ready before
            // its fade-in is heard.
            setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kDecoderNice);
            DecodedSound result;
            result.chunk = EBInternal::LoadSoundFile(file.c_str(), result.reason);
            // SDL keeps per-thread data (its error text) that only its own threads free
            // when they end; this one is not SDL's.
            SDL_TLSCleanup();
            return result;
        });
        *sound = decoding;
        return EBSoundResult::Ok;
    }
    std::string reason;
    Mix_Chunk* chunk = EBInternal::LoadSoundFile(path, reason);
    if (chunk == nullptr) {
        return Failure(EBSoundResult::FileNotLoaded, reason);
    }
    *sound = new EBSound;
    (*sound)->chunk = chunk;
    (*sound)->path = path;
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundSystemPlaySound(EBSoundSystem* system, EBSound* sound, bool paused,
                                     EBSoundChannel** channel) {
    if (channel == nullptr || *channel == nullptr) {
        return Failure(EBSoundResult::InvalidParameter, "no channel to play on");
    }
    if (!IsOpen(system) || sound == nullptr || (Decoded(sound) && sound->chunk == nullptr)) {
        return Failure(EBSoundResult::InvalidHandle, "no open system or no sound");
    }
    EBSoundChannel* target = *channel;
    // A new sound starts at full volume whatever the channel's last one was set to.
    Mix_Volume(target->index, MIX_MAX_VOLUME);
    target->waiting = nullptr;
    if (!Decoded(sound)) {
        Mix_HaltChannel(target->index);
        target->waiting = sound;
        target->waitingPaused = paused;
        target->mode = EB_SOUND_LOOP_OFF;
        target->loopCount = -1;
        target->mixerLoops = 0;
        return EBSoundResult::Ok;
    }
    if (Mix_PlayChannel(target->index, sound->chunk, 0) < 0) {
        return Failure(EBSoundResult::InvalidParameter, Mix_GetError());
    }
    if (paused) {
        Mix_Pause(target->index);
    }
    target->mode = EB_SOUND_LOOP_OFF;
    target->loopCount = -1;
    target->mixerLoops = 0;
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundRelease(EBSound* sound) {
    if (sound == nullptr) {
        return Failure(EBSoundResult::InvalidHandle, "no sound");
    }
    if (g_openSystem != nullptr) {
        for (EBSoundChannel& channel : g_openSystem->channels) {
            if (channel.waiting == sound) {
                channel.waiting = nullptr;
            }
        }
    }
    if (sound->decoding.valid()) {
        sound->chunk = sound->decoding.get().chunk;
    }
    // Freeing a chunk halts every channel that plays it.
    Mix_FreeChunk(sound->chunk);
    delete sound;
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundChannelSetMode(EBSoundChannel* channel, unsigned mode) {
    if (channel == nullptr) {
        return Failure(EBSoundResult::InvalidHandle, "no channel");
    }
    if (mode != EB_SOUND_LOOP_OFF && mode != EB_SOUND_LOOP_NORMAL) {
        return Failure(EBSoundResult::InvalidParameter, "channels only loop or not");
    }
    channel->mode = mode;
    ApplyLoops(channel);
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundChannelSetLoopCount(EBSoundChannel* channel, int count) {
    if (channel == nullptr) {
        return Failure(EBSoundResult::InvalidHandle, "no channel");
    }
    if (count < -1) {
        return Failure(EBSoundResult::InvalidParameter, "loop counts start at -1");
    }
    channel->loopCount = count;
    ApplyLoops(channel);
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundChannelIsPlaying(EBSoundChannel* channel, bool* playing) {
    if (playing == nullptr) {
        return Failure(EBSoundResult::InvalidParameter, "no place for the answer");
    }
    *playing = false;
    if (channel == nullptr) {
        return Failure(EBSoundResult::InvalidHandle, "no channel");
    }
    *playing = IsSounding(channel);
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundChannelSetVolume(EBSoundChannel* channel, float volume) {
    if (channel == nullptr) {
        return Failure(EBSoundResult::InvalidHandle, "no channel");
    }
    // Written so that NaN lands on silence.
    const float gain = volume > 0.0f ? (volume < 1.0f ? volume : 1.0f) : 0.0f;
    Mix_Volume(channel->index, static_cast<int>(std::lround(gain * MIX_MAX_VOLUME)));
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundChannelGetVolume(EBSoundChannel* channel, float* volume) {
    if (volume == nullptr) {
        return Failure(EBSoundResult::InvalidParameter, "no place for the answer");
    }
    *volume = 0.0f;
    if (channel == nullptr) {
        return Failure(EBSoundResult::InvalidHandle, "no channel");
    }
    *volume = static_cast<float>(Mix_Volume(channel->index, -1)) / MIX_MAX_VOLUME;
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundChannelSetPaused(EBSoundChannel* channel, bool paused) {
    if (channel == nullptr) {
        return Failure(EBSoundResult::InvalidHandle, "no channel");
    }
    channel->waitingPaused = paused;
    if (paused) {
        Mix_Pause(channel->index);
    } else {
        Mix_Resume(channel->index);
    }
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundChannelStop(EBSoundChannel* channel) {
    if (channel == nullptr) {
        return Failure(EBSoundResult::InvalidHandle, "no channel");
    }
    channel->waiting = nullptr;
    Mix_HaltChannel(channel->index);
    return EBSoundResult::Ok;
}

EBSoundResult EBSoundChannelGetPaused(EBSoundChannel* channel, bool* paused) {
    if (paused == nullptr) {
        return Failure(EBSoundResult::InvalidParameter, "no place for the answer");
    }
    *paused = false;
    if (channel == nullptr) {
        return Failure(EBSoundResult::InvalidHandle, "no channel");
    }
    *paused =
        channel->waiting != nullptr ? channel->waitingPaused : Mix_Paused(channel->index) != 0;
    return EBSoundResult::Ok;
}

const char* EBSoundGetLastError() {
    return g_lastError.c_str();
}
