#pragma once
// Sound module of the platform library: one output device, a fixed pool of channels and
// sounds decoded into memory. The calls follow the shape of a classic sound library (create
// the system, initialise its channels, play a sound on a channel, then steer that channel),
// so the engine's audio code reads the same whatever plays the samples.
//
// Every call takes null handles calmly and answers with a result instead of ending the
// program: a machine without sound runs silently.

// One open output device with its channel pool. Only one exists at a time.
struct EBSoundSystem;
// One sound decoded in full into the device's sample format.
struct EBSound;
// One channel of the pool; the handle stays valid until its system is released.
struct EBSoundChannel;

enum class EBSoundResult {
    Ok = 0,
    DeviceUnavailable,  // no audio output could be opened, or a system is already open
    InvalidHandle,      // a null or released system, sound or channel
    InvalidParameter,   // an index, count or mode outside what the call accepts
    NotReady,           // the system's channels are not initialised yet
    FileNotLoaded,      // the file is missing or not a sound the decoders know
};

// Modes. Sounds are always decoded whole into memory, so creating one takes
// EB_SOUND_CREATESAMPLE; channels loop or not.
constexpr unsigned EB_SOUND_LOOP_OFF = 0x1;
constexpr unsigned EB_SOUND_LOOP_NORMAL = 0x2;
constexpr unsigned EB_SOUND_CREATESAMPLE = 0x100;
constexpr unsigned EB_SOUND_NONBLOCKING = 0x10000;

// Opens the default output device. On failure `*system` is null and nothing stays open.
EBSoundResult EBSoundSystemCreate(EBSoundSystem** system);
// Output devices available; the open device counts even where the driver lists none.
EBSoundResult EBSoundSystemGetNumDrivers(EBSoundSystem* system, int* count);
// Makes `channelCount` channels (1 or more); channels start silent, at full volume.
EBSoundResult EBSoundSystemInit(EBSoundSystem* system, int channelCount, unsigned flags);
EBSoundResult EBSoundSystemGetChannel(EBSoundSystem* system, int index, EBSoundChannel** channel);
// Starts the plays that waited for their sound's decoding; call it once a frame.
EBSoundResult EBSoundSystemUpdate(EBSoundSystem* system);
// "path (reason)" of the next background decoding that failed, oldest first; null when none
// is left untold. The text lives until the next call.
const char* EBSoundSystemNextFailedLoad(EBSoundSystem* system);
// Stops every channel and closes the device. Sounds stay valid and may be released later.
EBSoundResult EBSoundSystemRelease(EBSoundSystem* system);

// Decodes the whole file (WAV, MP3, OGG, FLAC). Only a regular file of at most 16 MiB that
// decodes to at most 32 MiB is taken. On failure `*sound` is null and EBSoundGetLastError
// tells why. With EB_SOUND_NONBLOCKING added (music), only the file's kind and size are
// checked at once and the decoding runs on a thread of its own: a play asked for meanwhile
// starts at the first update after it ends (the channel counts as sounding until then), and a
// failure is told by EBSoundSystemNextFailedLoad; the sound then stays silent.
EBSoundResult EBSoundSystemCreateSound(EBSoundSystem* system, const char* path, unsigned mode,
                                       EBSound** sound);
// Starts `sound` from its beginning on `*channel`, once, at full volume. `*channel` chooses the
// channel and stays the handle to steer it.
EBSoundResult EBSoundSystemPlaySound(EBSoundSystem* system, EBSound* sound, bool paused,
                                     EBSoundChannel** channel);
// Stops every channel playing the sound, then frees it.
EBSoundResult EBSoundRelease(EBSound* sound);

// The mixer fixes a sound's loop count when it starts, so a change on a sounding channel
// restarts its sound: set the loop right after playing, as the engine does.
// EB_SOUND_LOOP_NORMAL repeats without end until a loop count says otherwise.
EBSoundResult EBSoundChannelSetMode(EBSoundChannel* channel, unsigned mode);
// -1 repeats without end, 0 plays once, n plays n more times.
EBSoundResult EBSoundChannelSetLoopCount(EBSoundChannel* channel, int count);
// True while the channel holds a sound that has not finished, paused or not.
EBSoundResult EBSoundChannelIsPlaying(EBSoundChannel* channel, bool* playing);
// Linear gain, kept within 0..1; the mixer has 129 steps, so reading back rounds.
EBSoundResult EBSoundChannelSetVolume(EBSoundChannel* channel, float volume);
EBSoundResult EBSoundChannelGetVolume(EBSoundChannel* channel, float* volume);
EBSoundResult EBSoundChannelSetPaused(EBSoundChannel* channel, bool paused);
// Ends the channel's sound at once; the channel is silent and free afterwards.
EBSoundResult EBSoundChannelStop(EBSoundChannel* channel);
EBSoundResult EBSoundChannelGetPaused(EBSoundChannel* channel, bool* paused);

// The reason behind the latest failed call, for log lines.
const char* EBSoundGetLastError();
