#include "soundtrack/render.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <numbers>
#include <stdexcept>

#include "soundtrack/biquad.h"

namespace ventora::soundtrack {

namespace {

constexpr double kPeak = 0.794;  // -2 dBFS: the MP3 coder adds up to ~0.3 dB, and the limit is -1 dBFS
constexpr double kTargetRms = 0.112;  // -19 dBFS: the pieces sit at one loudness
constexpr double kEndFadeSeconds = 1.0;
constexpr std::size_t kLookAhead = 220;  // 5 ms
constexpr std::size_t kRelease = 2205;   // 50 ms
constexpr double kHighPassHz = 20.0;

// What an action does; within one sample the actions run in this order.
enum class ActionKind { Program, Control, NoteOff, NoteOn };

// One timed action for the synthesiser.
struct Action {
  std::size_t frame = 0;
  ActionKind kind = ActionKind::Program;
  int channel = 0;
  int a = 0;
  int b = 0;
  bool operator<(const Action& o) const { return frame != o.frame ? frame < o.frame : kind < o.kind; }
};

std::size_t frame_at(const Score& score, double beat) {
  return static_cast<std::size_t>(std::llround(score.seconds_at(beat) * kSampleRate));
}

std::vector<Action> schedule(const Score& score) {
  std::vector<Action> actions;
  for (const ProgramEvent& p : score.programs) {
    actions.push_back({frame_at(score, p.beat), ActionKind::Program, p.channel, p.program, 0});
  }
  for (const ControlEvent& c : score.controls) {
    actions.push_back(
        {frame_at(score, c.beat), ActionKind::Control, c.channel, c.control, c.value});
  }
  for (const NoteEvent& n : score.notes) {
    actions.push_back({frame_at(score, n.beat), ActionKind::NoteOn, n.channel, n.key, n.velocity});
    actions.push_back(
        {frame_at(score, n.beat + n.beats), ActionKind::NoteOff, n.channel, n.key, 0});
  }
  std::stable_sort(actions.begin(), actions.end());
  return actions;
}

struct SettingsDeleter {
  void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
};
struct SynthDeleter {
  void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
};

void apply(fluid_synth_t* synth, const Action& action) {
  switch (action.kind) {
    case ActionKind::Program: fluid_synth_program_change(synth, action.channel, action.a); break;
    case ActionKind::Control: fluid_synth_cc(synth, action.channel, action.a, action.b); break;
    case ActionKind::NoteOff: fluid_synth_noteoff(synth, action.channel, action.a); break;
    case ActionKind::NoteOn: fluid_synth_noteon(synth, action.channel, action.a, action.b); break;
  }
}

// A second-order Butterworth high-pass on one channel: some samples (the warm pad's above all) carry
// DC and sub-audio rumble that would waste headroom and push the speaker's cone off centre.
void high_pass(std::vector<float>& channel) {
  const double w = 2.0 * std::numbers::pi * kHighPassHz / kSampleRate;
  const double alpha = std::sin(w) / std::sqrt(2.0);  // Q = 1/sqrt(2)
  const double a0 = 1.0 + alpha;
  const double b0 = (1.0 + std::cos(w)) / 2.0 / a0;
  const double b1 = -2.0 * b0;
  const double a1 = -2.0 * std::cos(w) / a0;
  const double a2 = (1.0 - alpha) / a0;
  Biquad filter{b0, b1, b0, a1, a2};
  for (float& sample : channel) sample = static_cast<float>(filter.run(sample));
}

// Brings the piece to the common loudness, then a look-ahead limiter holds every peak at kPeak: the
// gain needed at a sample is taken as the minimum over the surrounding window and then averaged, so it
// is already down when the peak arrives and recovers smoothly.
void master(std::vector<float>& left, std::vector<float>& right) {
  const std::size_t n = left.size();
  double energy = 0;
  for (std::size_t i = 0; i < n; ++i) energy += left[i] * left[i] + right[i] * right[i];
  const double rms = std::sqrt(energy / (2.0 * std::max<std::size_t>(n, 1)));
  const double gain = rms > 0 ? kTargetRms / rms : 1.0;

  std::vector<float> need(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double level = std::max(std::fabs(left[i]), std::fabs(right[i])) * gain;
    need[i] = static_cast<float>(level > kPeak ? kPeak / level : 1.0);
  }
  // Sliding minimum over [i - kRelease, i + kLookAhead] with a monotonic queue.
  std::vector<float> held(n);
  std::deque<std::size_t> queue;
  std::size_t pushed = 0;
  for (std::size_t i = 0; i < n; ++i) {
    for (; pushed < n && pushed <= i + kLookAhead; ++pushed) {
      while (!queue.empty() && need[queue.back()] >= need[pushed]) queue.pop_back();
      queue.push_back(pushed);
    }
    while (queue.front() + kRelease < i) queue.pop_front();
    held[i] = need[queue.front()];
  }
  // Averaging over kLookAhead samples stays below every sample's own need (each average covers a
  // window whose minimum already includes it) and smooths the attack.
  double sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    sum += held[i];
    if (i >= kLookAhead) sum -= held[i - kLookAhead];
    const std::size_t count = std::min(i + 1, kLookAhead);
    const double g = gain * sum / static_cast<double>(count);
    left[i] = static_cast<float>(left[i] * g);
    right[i] = static_cast<float>(right[i] * g);
  }
}

}  // namespace

std::vector<std::int16_t> render_score(const Score& score, const std::string& soundfont, std::size_t frames) {
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
  fluid_settings_setnum(settings.get(), "synth.sample-rate", kSampleRate);
  fluid_settings_setint(settings.get(), "synth.polyphony", 256);
  fluid_settings_setint(settings.get(), "synth.cpu-cores", 1);
  fluid_settings_setnum(settings.get(), "synth.gain", 0.4);
  fluid_settings_setint(settings.get(), "synth.reverb.active", 1);
  // The soundfont's own chorus on some voices (saw lead, calliope, pads) comes back nearly inverted
  // between left and right and swamps the dry sound: those parts vanish on a mono speaker. Off.
  fluid_settings_setint(settings.get(), "synth.chorus.active", 0);
  fluid_settings_setnum(settings.get(), "synth.reverb.room-size", 0.62);
  fluid_settings_setnum(settings.get(), "synth.reverb.damp", 0.3);
  fluid_settings_setnum(settings.get(), "synth.reverb.width", 0.5);
  fluid_settings_setnum(settings.get(), "synth.reverb.level", 0.9);
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
  if (!synth || fluid_synth_sfload(synth.get(), soundfont.c_str(), 1) == FLUID_FAILED) {
    throw std::runtime_error("cannot load soundfont " + soundfont);
  }

  const std::vector<Action> actions = schedule(score);
  std::vector<float> left(frames);
  std::vector<float> right(frames);
  std::size_t done = 0;
  std::size_t next = 0;
  while (done < frames) {
    while (next < actions.size() && actions[next].frame <= done) apply(synth.get(), actions[next++]);
    std::size_t until = next < actions.size() ? std::min(actions[next].frame, frames) : frames;
    until = std::min(until, done + 4096);
    const int count = static_cast<int>(until - done);
    fluid_synth_write_float(synth.get(), count, left.data() + done, 0, 1, right.data() + done, 0, 1);
    done = until;
  }

  high_pass(left);
  high_pass(right);
  master(left, right);
  const auto fade = static_cast<std::size_t>(kEndFadeSeconds * kSampleRate);
  std::vector<std::int16_t> samples(frames * 2);
  for (std::size_t i = 0; i < frames; ++i) {
    const double g = i + fade > frames ? static_cast<double>(frames - i) / static_cast<double>(fade) : 1.0;
    samples[2 * i] = static_cast<std::int16_t>(std::lround(left[i] * g * 32767.0));
    samples[2 * i + 1] = static_cast<std::int16_t>(std::lround(right[i] * g * 32767.0));
  }
  return samples;
}

}  // namespace ventora::soundtrack
