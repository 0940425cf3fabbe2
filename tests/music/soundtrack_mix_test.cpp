// The mix check: its measurements on signals whose figures are known, that it catches each fault, and
// that every embedded track, decoded as the game decodes it, keeps the limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <variant>

#include "music/embedded_tracks.h"
#include "soundtrack/mix_check.h"
#include "music/mp3_decode.h"
#include "music/wav.h"

namespace ventora::soundtrack {
namespace {

constexpr int kRate = 44100;

// A stereo signal built second by second: each channel's value at time t.
struct Signal {
  std::vector<std::int16_t> samples;
  template <typename Left, typename Right>
  void add(double seconds, Left left, Right right) {
    const auto start = samples.size() / 2;
    const auto frames = static_cast<std::size_t>(seconds * kRate);
    for (std::size_t i = 0; i < frames; ++i) {
      const double t = static_cast<double>(start + i) / kRate;
      samples.push_back(to_sample(left(t)));
      samples.push_back(to_sample(right(t)));
    }
  }
  static std::int16_t to_sample(double v) {
    return static_cast<std::int16_t>(std::clamp(std::lround(v * 32768.0), -32768L, 32767L));
  }
};

double db(double dbfs) { return std::pow(10.0, dbfs / 20.0); }

auto sine(double hz, double amplitude, double phase = 0) {
  return [=](double t) { return amplitude * std::sin(2 * std::numbers::pi * hz * t + phase); };
}

// Music-like enough for the checks: two tones, both channels alike but not identical.
Signal good_mix(double seconds) {
  Signal s;
  s.add(
      seconds, [](double t) { return sine(220, 0.2)(t) + sine(331, 0.1)(t); },
      [](double t) { return sine(220, 0.18)(t) + sine(331, 0.12, 0.3)(t); });
  return s;
}

TEST(MixCheck, ShortTermLoudnessOfASineMatchesItsLevel) {
  // A 1 kHz sine at -23 dBFS in both channels reads -23 LUFS (the R128 calibration point); the
  // K-weighting lifts 4 kHz by 3.27 dB more (the standard's 48 kHz filters give +0.70 dB at 1 kHz and
  // +3.97 dB at 4 kHz).
  for (const auto& [hz, expected] : {std::pair{1000.0, -23.0}, {4000.0, -19.73}}) {
    Signal s;
    s.add(5, sine(hz, db(-23)), sine(hz, db(-23)));
    const std::vector<double> values = short_term_loudness(s.samples, kRate);
    ASSERT_FALSE(values.empty());
    EXPECT_NEAR(values.back(), expected, 0.15) << hz << " Hz";
  }
}

TEST(MixCheck, LoudnessRangeOfTwoLevelsIsTheirDifference) {
  // Two stretches of 20 s at different levels (as in EBU Tech 3342's test signals): the range is the
  // difference, within the 3 s windows' transition.
  struct Case {
    double first_dbfs, second_dbfs, range;
  };
  for (const Case c : {Case{-20, -30, 10}, Case{-20, -15, 5}, Case{-40, -20, 20}, Case{-20, -20, 0}}) {
    Signal s;
    s.add(20, sine(1000, db(c.first_dbfs)), sine(1000, db(c.first_dbfs)));
    s.add(20, sine(1000, db(c.second_dbfs)), sine(1000, db(c.second_dbfs)));
    EXPECT_NEAR(measure_mix(s.samples, kRate).loudness_range, c.range, 1.0)
        << c.first_dbfs << " then " << c.second_dbfs;
  }
}

TEST(MixCheck, AGoodMixHasNoFaults) {
  const Signal s = good_mix(30);
  const MixFigures f = measure_mix(s.samples, kRate);
  EXPECT_TRUE(mix_faults(f).empty()) << describe(f);
  EXPECT_NEAR(f.seconds, 30, 1e-9);
  EXPECT_NEAR(f.peak_dbfs, 20 * std::log10(0.3), 0.2);
  EXPECT_LT(f.dc, 1e-4);
  EXPECT_GT(f.worst_correlation, 0.9);
  EXPECT_LT(f.loudness_range, 0.5);
}

TEST(MixCheck, EachFaultIsCaught) {
  struct Case {
    const char* name;
    Signal signal;
    std::vector<std::string> faults;  // the start of each line expected, in order
  };
  std::vector<Case> cases;
  {
    Signal s = good_mix(20);
    // Driven past full scale for 50 ms: 44 % of a sine 1.3 times full scale lies beyond it.
    s.add(0.05, sine(220, 1.3), sine(220, 1.3));
    cases.push_back({"clipping", s, {"1948 clipped samples", "peak 0.00 dBFS"}});
  }
  {
    Signal s = good_mix(20);
    s.add(1, sine(220, db(-0.5)), sine(220, db(-0.5)));
    cases.push_back({"peak at -0.5 dBFS", s, {"peak -0.50 dBFS"}});
  }
  {
    Signal s;
    s.add(20, [](double t) { return sine(220, 0.2)(t) + 0.01; }, sine(220, 0.2));
    cases.push_back({"DC of 0.01 on the left", s, {"DC 0.0100"}});
  }
  {
    Signal s = good_mix(20);
    // 12 s of a lead whose right channel is the left one inverted.
    s.add(12, sine(440, 0.3), sine(440, 0.3, std::numbers::pi));
    s.add(20, sine(220, 0.2), sine(220, 0.2));
    cases.push_back({"out of phase for 12 s", s, {"L/R correlation -1.00 below 0.20 in the 10 s from 20 s"}});
  }
  {
    Signal s;
    s.add(30, sine(220, db(-32)), sine(220, db(-32)));  // a quiet intro
    s.add(60, sine(220, db(-20)), sine(220, db(-20)));
    cases.push_back({"a section 12 dB under the rest", s, {"loudness range 12.0 LU"}});
  }
  for (const Case& c : cases) {
    const MixFigures f = measure_mix(c.signal.samples, kRate);
    const std::vector<std::string> faults = mix_faults(f);
    ASSERT_EQ(faults.size(), c.faults.size()) << c.name << ": " << describe(f);
    for (std::size_t i = 0; i < faults.size(); ++i) {
      EXPECT_EQ(faults[i].rfind(c.faults[i], 0), 0u) << c.name << ": " << faults[i];
    }
  }
}

TEST(MixCheck, SilentWindowsDoNotCountAsOutOfPhase) {
  Signal s = good_mix(15);
  s.add(15, [](double) { return 0.0; }, [](double) { return 0.0; });
  const MixFigures f = measure_mix(s.samples, kRate);
  EXPECT_GT(f.worst_correlation, 0.9) << describe(f);
}

// Every track as the game plays it: the embedded MP3, decoded by the game's decoder.
class EmbeddedTrackMix : public ::testing::TestWithParam<std::size_t> {};

TEST_P(EmbeddedTrackMix, KeepsTheLimits) {
  // The playlist's tracks, then the cue.
  const EmbeddedTrack& track =
      GetParam() < music_tracks().size() ? music_tracks()[GetParam()] : defeat_cue_track();
  const Result<std::vector<std::uint8_t>> decoded = decode_mp3(track.mp3_bytes);
  ASSERT_TRUE(decoded.ok()) << decoded.error().message;
  const auto& wav = decoded.value();
  std::vector<std::int16_t> samples((wav.size() - kWavHeaderBytes) / 2);
  std::memcpy(samples.data(), wav.data() + kWavHeaderBytes, samples.size() * 2);
  const MixFigures f = measure_mix(samples, kRate);
  std::string faults;
  for (const std::string& fault : mix_faults(f)) faults += "\n  " + fault;
  EXPECT_TRUE(faults.empty()) << track.label << ": " << describe(f) << faults;
  std::printf("%s: %s\n", std::string(track.label).c_str(), describe(f).c_str());
}

INSTANTIATE_TEST_SUITE_P(EveryTrack, EmbeddedTrackMix,
                         ::testing::Range(std::size_t{0}, music_tracks().size() + 1));

}  // namespace
}  // namespace ventora::soundtrack
