// The sound around the game: one device for music and effects, opened once and only when asked
// for, VENTORA_DISABLE_SOUND, the mute and volume keys with their note, and a running frame's
// effects reaching the device.
#include "app/sound_shell.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/running_frame.h"
#include "game/run.h"
#include "tests/music/recording_audio.h"

namespace ventora {
namespace {

using testing::AudioCall;
using testing::RecordingAudio;

// A recording device that can be made to go away, and to refuse to come back. Like the real one
// it no longer says it is lost once a try to open it again has closed it.
class FlakyDevice final : public DeviceAudioOut {
 public:
  explicit FlakyDevice(std::vector<AudioCall>* calls) : out_(calls) {}
  bool gone = false;
  bool opens = true;  // whether `reopen` succeeds
  int reopens = 0;

  bool lost() const override { return gone; }
  Status reopen() override {
    ++reopens;
    gone = false;
    if (!opens) return Error{"Connection refused"};
    return Done{};
  }
  Result<SoundId> load_wav(std::vector<std::uint8_t> wav) override { return out_.load_wav(std::move(wav)); }
  void play(SoundId sound, float volume) override { out_.play(sound, volume); }
  void stop(SoundId sound) override { out_.stop(sound); }
  void play_effect(SoundId sound, float volume) override { out_.play_effect(sound, volume); }
  void set_master_volume(float volume) override { out_.set_master_volume(volume); }
  void set_paused(bool paused) override { out_.set_paused(paused); }

 private:
  RecordingAudio out_;
};

// A shell over a recording device, counting how often the device is opened.
struct Shell {
  std::vector<AudioCall> calls;
  int opened = 0;
  bool device_opens = true;
  FlakyDevice* device = nullptr;
  SoundShell shell{[this]() -> std::unique_ptr<DeviceAudioOut> {
    ++opened;
    if (!device_opens) return nullptr;
    auto opened_device = std::make_unique<FlakyDevice>(&calls);
    device = opened_device.get();
    return opened_device;
  }};
};

std::vector<AudioCall> effect_calls(const std::vector<AudioCall>& calls) {
  std::vector<AudioCall> out;
  for (const AudioCall& c : calls) {
    if (c.what == "effect") out.push_back(c);
  }
  return out;
}

// RecordingAudio hands out ids from 100 in load order; the effects load first, in bank order.
SoundId effect_id(SoundEffect effect) { return 100 + static_cast<SoundId>(index_of(effect)); }

TEST(SoundShell, TheMusicAndTheEffectsShareOneDeviceOpenedWhenFirstAskedFor) {
  Shell s;
  EXPECT_EQ(s.opened, 0);
  ASSERT_NE(s.shell.effects(), nullptr);
  std::unique_ptr<AudioOut> music = s.shell.music_output();
  ASSERT_NE(music, nullptr);
  EXPECT_EQ(s.shell.effects(), s.shell.effects());
  EXPECT_EQ(s.opened, 1);
  // The device starts at the level the keys have set, and the music's output is the device.
  ASSERT_FALSE(s.calls.empty());
  EXPECT_EQ(s.calls.front(), (AudioCall{"master", -1, 1.0f}));
  music->play(7, 0.32f);
  EXPECT_EQ(s.calls.back(), (AudioCall{"play", 7, 0.32f}));
}

TEST(SoundShell, WithoutADeviceEverythingGoesOnSilentAfterOneTry) {
  Shell s;
  s.device_opens = false;
  EXPECT_EQ(s.shell.effects(), nullptr);
  EXPECT_EQ(s.shell.music_output(), nullptr);
  EXPECT_EQ(s.shell.effects(), nullptr);
  EXPECT_FALSE(s.shell.keep_device(1.0));
  EXPECT_EQ(s.opened, 1);
  const SoundKey mute[] = {SoundKey::Mute};
  s.shell.press(mute, 1.0);  // still shows the note
  ASSERT_TRUE(s.shell.note(1.0));
  EXPECT_TRUE(s.shell.note(1.0)->muted);
}

TEST(SoundShell, VentoraDisableSoundTurnsTheEffectsOffAndOpensNoDeviceForThem) {
  Shell s;
  setenv("VENTORA_DISABLE_SOUND", "", 1);
  EXPECT_EQ(s.shell.effects(), nullptr);
  EXPECT_EQ(s.opened, 0);
  EXPECT_NE(s.shell.music_output(), nullptr);  // the music still has its device
  unsetenv("VENTORA_DISABLE_SOUND");
  EXPECT_EQ(s.opened, 1);
}

// A device that goes away is told of once a session, tried again at once and then every few
// seconds (not every frame, even when it goes away as soon as it is opened), and is back on the
// frame a try succeeds.
TEST(SoundShell, ALostDeviceIsToldOnceAndOpenedAgainEveryFewSeconds) {
  Shell s;
  ASSERT_NE(s.shell.effects(), nullptr);
  FlakyDevice& device = *s.device;
  const struct {
    double now;
    bool goes_away;  // before this frame
    bool opens;      // a try at this frame succeeds
    int tries;       // so far
    bool back;
  } frames[] = {
      {0.0, false, true, 0, false}, {0.5, false, true, 0, false},
      {1.0, true, false, 1, false},  // noticed, told, tried at once
      {1.5, false, false, 1, false}, {2.9, false, false, 1, false},
      {3.0, false, false, 2, false},  // kDeviceRetrySeconds later
      {4.9, false, true, 2, false},  {5.0, false, true, 3, true},
      {5.1, false, true, 3, false},  {9.0, false, true, 3, false},
      {9.5, true, true, 4, true},  // away again: not told again, back at the first try
      {9.6, true, true, 4, false},  // away as soon as opened: the next try waits its time
      {11.4, false, true, 4, false}, {11.5, false, true, 5, true},
  };
  ::testing::internal::CaptureStderr();
  for (const auto& f : frames) {
    SCOPED_TRACE(f.now);
    if (f.goes_away) device.gone = true;
    device.opens = f.opens;
    EXPECT_EQ(s.shell.keep_device(f.now), f.back);
    EXPECT_EQ(device.reopens, f.tries);
  }
  const std::string told =
      "ventora: the audio device went away; playing without sound, trying to open it again every 2 s\n";
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), told);
  EXPECT_EQ(s.opened, 1);  // the same device, with its sounds, throughout
}

TEST(SoundShell, MuteAndVolumeKeysSetTheDeviceInStepsAndUnmute) {
  Shell s;
  s.shell.effects();
  const struct {
    SoundKey key;
    int percent;
    bool muted;
    float gain;
  } presses[] = {
      {SoundKey::Mute, 100, true, 0.0f},     {SoundKey::Mute, 100, false, 1.0f},
      {SoundKey::Quieter, 90, false, 0.81f}, {SoundKey::Louder, 100, false, 1.0f},
      {SoundKey::Louder, 100, false, 1.0f},  {SoundKey::Mute, 100, true, 0.0f},
      {SoundKey::Quieter, 90, false, 0.81f},  // a step unmutes
  };
  double now = 10;
  for (const auto& p : presses) {
    const SoundKey keys[] = {p.key};
    s.shell.press(keys, now);
    ASSERT_TRUE(s.shell.note(now));
    EXPECT_EQ(s.shell.note(now)->percent, p.percent);
    EXPECT_EQ(s.shell.note(now)->muted, p.muted);
    EXPECT_EQ(s.calls.back().what, "master");
    EXPECT_FLOAT_EQ(s.calls.back().volume, p.gain);
    now += 0.1;
  }
  // Ten steps down from anywhere is silence, and no further.
  const std::vector<SoundKey> down(12, SoundKey::Quieter);
  s.shell.press(down, now);
  EXPECT_EQ(s.shell.note(now)->percent, 0);
  EXPECT_FLOAT_EQ(s.calls.back().volume, 0.0f);
}

TEST(SoundShell, TheNoteShowsForAMomentAndFadesOut) {
  Shell s;
  EXPECT_FALSE(s.shell.note(0));
  const SoundKey quieter[] = {SoundKey::Quieter};
  s.shell.press(quieter, 20.0);
  const struct {
    double now;
    float opacity;  // 0: not shown
  } times[] = {{20.0, 1}, {20.9, 1}, {21.0, 1}, {21.25, 0.5f}, {21.45, 0.1f}, {21.5, 0}, {30, 0}};
  for (const auto& t : times) {
    const std::optional<VolumeNote> note = s.shell.note(t.now);
    if (t.opacity == 0) {
      EXPECT_FALSE(note) << t.now;
    } else {
      ASSERT_TRUE(note) << t.now;
      EXPECT_NEAR(note->opacity, t.opacity, 1e-4) << t.now;
    }
  }
  // A frame without keys leaves it be; another key shows it afresh.
  s.shell.press({}, 21.2);
  EXPECT_NEAR(s.shell.note(21.25)->opacity, 0.5f, 1e-4);
  s.shell.press(quieter, 21.3);
  EXPECT_EQ(s.shell.note(22.0)->opacity, 1.0f);
}

// A running frame's jump reaches the device as its effect; a restart sounds nothing.
TEST(SoundShell, ARunningFramesEffectsReachTheDevice) {
  Shell s;
  EffectCues* effects = s.shell.effects();
  ASSERT_NE(effects, nullptr);
  Pcg32 rng;
  GameState state = start_run(rng, {1765000000, 500}, kDefaultOutputMode);
  const ClockSource clock = [] { return ClockReading{1765000000, 500}; };
  DrawList list;
  FrameInput jump;
  jump.press(Key::Space);
  jump.time = 1.0;
  const FrameGeometry geometry = frame_geometry(kDefaultOutputMode, jump);
  run_frame(state, rng, nullptr, jump, geometry, 1.0f / 60, list, clock, effects);
  ASSERT_EQ(state.jump_count, 1u);
  EXPECT_EQ(effect_calls(s.calls), (std::vector<AudioCall>{{"effect", effect_id(SoundEffect::Jump), 1.0f}}));

  s.calls.clear();
  FrameInput restart;
  restart.press(Key::R);
  restart.time = 1.1;
  run_frame(state, rng, nullptr, restart, geometry, 1.0f / 60, list, clock, effects);
  EXPECT_EQ(state.jump_count, 0u);
  EXPECT_EQ(effect_calls(s.calls), std::vector<AudioCall>{});
}

}  // namespace
}  // namespace ventora
