#include "platform/sdl_audio_out.h"

#include <SDL.h>
#include <SDL_mixer.h>
#ifndef __EMSCRIPTEN__
#include <sched.h>
#endif

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ventora {

namespace {

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;
constexpr int kMixChunkFrames = 2048;
// How much sound PulseAudio is asked to keep queued. SDL asks it for one mixer chunk and refills
// only when a whole chunk fits, which leaves a quarter of a chunk (12 ms) between a late refill
// and a dropout: a loaded machine gaps. Asked of libpulse itself, three chunks keep two or more
// queued, at the price of about 0.1 s more before a sound is heard.
constexpr const char* kPulseLatencyMs = "140";
// Channels the music may take (any free one): a track and the defeat cue sound together at most.
constexpr int kMusicChannels = 8;
// The effects' channels, the first kEffectChannels, are grouped under this tag.
constexpr int kEffectsGroup = 1;
// A streamed sound plays on a channel as this much silence, looped for as long as the sound lasts,
// which its voice overwrites with the sound as the mixer goes: so the mixer sets its volume, mixes
// and stops it exactly as it does a loaded sound.
constexpr int kStreamCarrierFrames = 4096;

std::uint32_t read_u32(const std::uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

std::uint16_t read_u16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | (at[1] << 8)); }

// The format the mixer plays in: what the first device gave, and what every reopened one must
// give, since the loaded sounds were converted to it.
struct MixFormat {
  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
};

#ifndef __EMSCRIPTEN__
// SDL runs its audio thread at the highest time-sharing priority it may set, which on a loaded
// machine can still wait a quarter of a second for a core, much longer than the sound queued.
// Real-time scheduling, at the lowest such priority, has it run when its buffer wants filling;
// without the right to it (no root, no real-time limit), SDL's priority stays. Called on the audio
// thread after each mix, it asks once per thread: each device opened has its own.
void SDLCALL ask_for_real_time(void*, Uint8*, int) {
  thread_local bool asked = false;
  if (asked) return;
  asked = true;
  sched_param param{};
  param.sched_priority = sched_get_priority_min(SCHED_RR);
  sched_setscheduler(0, SCHED_RR | SCHED_RESET_ON_FORK, &param);
}
#endif

// A chunk that plays `samples` in place (Mix_FreeChunk frees it and leaves the samples). With no
// device open Mix_QuickLoad_RAW refuses, so the same chunk is made by hand: the sounds that load
// while the device is away play once it is back.
Mix_Chunk* borrowed_chunk(std::uint8_t* samples, Uint32 bytes, bool device_open) {
  if (device_open) return Mix_QuickLoad_RAW(samples, bytes);
  auto* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
  if (chunk == nullptr) {
    SDL_OutOfMemory();
    return nullptr;
  }
  chunk->allocated = 0;
  chunk->abuf = samples;
  chunk->alen = bytes;
  chunk->volume = MIX_MAX_VOLUME;
  return chunk;
}

// A streamed sound's voice on its channel, until the mixer is done with the channel.
struct StreamPlay {
  std::shared_ptr<StreamVoice> voice;
  std::atomic<bool> done{false};
};

// On the audio thread: the channel's silence becomes the voice's next samples.
void pull_voice(int, void* samples, int bytes, void* play) {
  const std::span<std::int16_t> out(static_cast<std::int16_t*>(samples), static_cast<std::size_t>(bytes) / 2);
  static_cast<StreamPlay*>(play)->voice->read(out);
}

// The channel has ended or was halted (on the audio thread or the caller's): the last the mixer
// does with the play.
void end_voice(int, void* play) {
  auto* p = static_cast<StreamPlay*>(play);
  p->voice->finish();
  p->done.store(true, std::memory_order_release);
}

class SdlAudioOut final : public DeviceAudioOut {
 public:
  ~SdlAudioOut() override {
    if (open_) Mix_HaltChannel(-1);
    for (Sound& sound : sounds_) Mix_FreeChunk(sound.chunk);
    close_device();
  }

  // Opens SDL audio and the mixer with the channels set up: the first time in what the device
  // prefers near our format, later in exactly the format the first one gave. SDL's reason when it
  // cannot.
  Status open() {
    setenv("PULSE_LATENCY_MSEC", kPulseLatencyMs, 0);  // a value the user set stands
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Error{SDL_GetError()};
    // Watched before it opens: a device can go away on its very first write.
    SDL_AddEventWatch(on_event, this);
    const int failed = format_ ? Mix_OpenAudioDevice(format_->rate, format_->format, format_->channels,
                                                     kMixChunkFrames, nullptr, 0)
                               : Mix_OpenAudio(kMixRate, AUDIO_S16LSB, kMixChannels, kMixChunkFrames);
    if (failed != 0) {
      Error error{Mix_GetError()};
      SDL_DelEventWatch(on_event, this);
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return error;
    }
    if (!format_) {
      MixFormat opened;
      Mix_QuerySpec(&opened.rate, &opened.format, &opened.channels);
      format_ = opened;
    }
    // The effects' channels come first and are kept from the music, which plays on any free other.
    Mix_AllocateChannels(kEffectChannels + kMusicChannels);
    Mix_ReserveChannels(kEffectChannels);
    Mix_GroupChannels(0, kEffectChannels - 1, kEffectsGroup);
    Mix_MasterVolume(master_volume_);
#ifndef __EMSCRIPTEN__
    // The browser mixes in its own audio callback on the page's thread: no thread to schedule.
    Mix_SetPostMix(ask_for_real_time, nullptr);
#endif
    open_ = true;
    return Done{};
  }

  bool lost() const override { return lost_; }

  Status reopen() override {
    close_device();
    lost_ = false;
    return open();
  }

  Result<SoundId> load_stream(std::shared_ptr<SoundStream> stream) override {
    if (!plays_as_is(stream->rate(), stream->channels()) || stream->samples() == 0) {
      return AudioOut::load_stream(std::move(stream));  // converted whole by the mixer
    }
    if (carrier_.empty()) {
      carrier_.resize(std::size_t{kStreamCarrierFrames} * static_cast<std::size_t>(format_->channels) * 2);
    }
    Sound sound;
    sound.chunk = borrowed_chunk(carrier_.data(), static_cast<Uint32>(carrier_.size()), open_);
    if (sound.chunk == nullptr) return Error{Mix_GetError()};
    sound.stream = std::move(stream);
    sounds_.push_back(std::move(sound));
    return static_cast<SoundId>(sounds_.size() - 1);
  }

  Result<SoundId> load_wav(std::vector<std::uint8_t> wav) override {
    Sound sound;
    if (in_mixer_format(wav)) {
      // The samples are already what the mixer plays: keep the buffer as the sound, no second copy.
      sound.chunk = borrowed_chunk(wav.data() + 44, read_u32(wav.data() + 40), open_);
      sound.storage = std::move(wav);
    } else if (!open_) {
      return Error{"no audio device to convert the sound for"};
    } else {
      sound.chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1);
    }
    if (sound.chunk == nullptr) return Error{Mix_GetError()};
    sounds_.push_back(std::move(sound));
    return static_cast<SoundId>(sounds_.size() - 1);
  }

  void play(SoundId id, float volume) override {
    if (!open_) return;
    const Sound& sound = sounds_.at(id);
    if (sound.stream) {
      play_stream(sound, volume);
      return;
    }
    const int channel = Mix_PlayChannel(-1, sound.chunk, 0);
    if (channel >= 0) Mix_Volume(channel, volume_of(volume));
  }

  void play_effect(SoundId id, float volume) override {
    if (!open_) return;
    int channel = Mix_GroupAvailable(kEffectsGroup);
    if (channel < 0) channel = Mix_GroupOldest(kEffectsGroup);
    channel = Mix_PlayChannel(channel, sounds_.at(id).chunk, 0);
    if (channel >= 0) Mix_Volume(channel, volume_of(volume));
  }

  void set_master_volume(float volume) override {
    master_volume_ = static_cast<int>(std::lround(std::clamp(volume, 0.0f, 1.0f) * MIX_MAX_VOLUME));
    if (open_) Mix_MasterVolume(master_volume_);
  }

  void set_paused(bool paused) override {
    if (!open_) return;
    if (paused) {
      Mix_Pause(-1);
    } else {
      Mix_Resume(-1);
    }
  }

  void stop(SoundId id) override {
    if (!open_) return;
    const Mix_Chunk* chunk = sounds_.at(id).chunk;
    const int channels = Mix_AllocateChannels(-1);
    for (int channel = 0; channel < channels; ++channel) {
      if (Mix_Playing(channel) && Mix_GetChunk(channel) == chunk) Mix_HaltChannel(channel);
    }
  }

 private:
  // SDL tells of a device that went away with this event, from its audio thread. Ours is the only
  // output device the game opens.
  static int SDLCALL on_event(void* self, SDL_Event* event) {
    if (event->type == SDL_AUDIODEVICEREMOVED && event->adevice.iscapture == 0) {
      static_cast<SdlAudioOut*>(self)->lost_ = true;
    }
    return 0;
  }

  void close_device() {
    if (!open_) return;
    SDL_DelEventWatch(on_event, this);
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
  }

  struct Sound {
    std::vector<std::uint8_t> storage;
    Mix_Chunk* chunk = nullptr;
    std::shared_ptr<SoundStream> stream;  // set: `chunk` is the carrier its voices play over
  };

  static int volume_of(float volume) { return static_cast<int>(std::lround(volume * MIX_MAX_VOLUME)); }

  // A new voice of the stream on a free channel of the music's, its carrier looped to the stream's
  // length. The voice is hooked onto the channel before the channel starts, so the mixer never plays
  // a buffer of the channel without it.
  void play_stream(const Sound& sound, float volume) {
    forget_ended_plays();
    int channel = kEffectChannels;
    while (channel < Mix_AllocateChannels(-1) && Mix_Playing(channel)) ++channel;
    if (channel == Mix_AllocateChannels(-1)) return;  // every channel busy: as Mix_PlayChannel would
    auto play = std::make_unique<StreamPlay>();
    play->voice = sound.stream->start();
    if (Mix_RegisterEffect(channel, pull_voice, end_voice, play.get()) == 0) {
      play->voice->finish();
      return;
    }
    plays_.push_back(std::move(play));
    const std::uint64_t bytes = sound.stream->samples() * 2;
    const auto loops = static_cast<int>((bytes + sound.chunk->alen - 1) / sound.chunk->alen - 1);
    Mix_Volume(channel, volume_of(volume));
    // Failing, it ends the voice through the effect's removal.
    if (Mix_PlayChannel(channel, sound.chunk, loops) < 0) Mix_UnregisterAllEffects(channel);
  }

  // Drops the plays whose channels the mixer is done with.
  void forget_ended_plays() {
    std::erase_if(plays_, [](const auto& play) { return play->done.load(std::memory_order_acquire); });
  }


  // A canonical 16-bit WAV whose rate and channels match the mixer's.
  bool in_mixer_format(const std::vector<std::uint8_t>& wav) const {
    if (wav.size() < 44 || std::memcmp(wav.data(), "RIFF", 4) != 0 ||
        std::memcmp(wav.data() + 36, "data", 4) != 0) {
      return false;
    }
    return read_u16(wav.data() + 20) == 1 && read_u16(wav.data() + 34) == 16 &&
           plays_as_is(read_u32(wav.data() + 24), read_u16(wav.data() + 22)) &&
           read_u32(wav.data() + 40) <= wav.size() - 44;
  }
  // Whether 16-bit samples at `rate` with `channels` are what the mixer plays, as they stand.
  bool plays_as_is(long rate, long channels) const {
    return format_->format == AUDIO_S16LSB && format_->rate == rate && format_->channels == channels;
  }

  std::vector<Sound> sounds_;
  std::vector<std::uint8_t> carrier_;  // silence: the data of every stream's chunk
  std::vector<std::unique_ptr<StreamPlay>> plays_;
  std::optional<MixFormat> format_;  // once a device has opened
  bool open_ = false;
  std::atomic<bool> lost_ = false;
  int master_volume_ = MIX_MAX_VOLUME;
};

}  // namespace

Result<std::unique_ptr<DeviceAudioOut>> open_sdl_audio_out() {
  auto audio = std::make_unique<SdlAudioOut>();
  if (Status opened = audio->open(); !opened) return opened.error();
  return std::unique_ptr<DeviceAudioOut>(std::move(audio));
}

}  // namespace ventora
