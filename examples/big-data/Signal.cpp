#include "Signal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace plotwell_big_data {
namespace {

constexpr double TwoPi = 2 * std::numbers::pi;
// A spike falls to 1/e of its height in this many samples (0.2 ms).
constexpr double SpikeSamples = 200;
constexpr double MeanSpikeGap = 0.6 * TSignal::SampleRate;

// The tones, in Hz with their phase at sample 0: two slow drifts, a 3.1 Hz
// tone and the 0.4 Hz swell of its amplitude, mains hum.
struct TTone {
  double Hz, Phase;
};
constexpr std::array<TTone, 5> Tones = {{{0.23, 0.0}, {0.07, 1.0}, {3.1, 0.0}, {0.4, 0.5}, {50.0, 0.0}}};

// The tones are advanced by rotating (sin, cos) one sample at a time and
// set afresh from std::sin and std::cos every this many samples, so the
// rounding of the rotation never adds up to more than about 1e-12.
constexpr int64_t ToneBlock = 4096;

}  // namespace

TSignal::TSignal(uint64_t seed) : random_(seed) {
  next_spike_ = int64_t(std::exponential_distribution<double>(1 / MeanSpikeGap)(random_));
}

void TSignal::StartSpike() {
  std::uniform_real_distribution<double> height(0.6, 1.2);
  spike_ = (random_() & 1) != 0 ? height(random_) : -height(random_);
  next_spike_ = k_ + 1 + int64_t(std::exponential_distribution<double>(1 / MeanSpikeGap)(random_));
}

void TSignal::Next(std::span<double> out) {
  static const double decay = std::exp(-1 / SpikeSamples);
  std::array<double, Tones.size()> s{}, c{}, ds{}, dc{};
  for (size_t i = 0; i < Tones.size(); ++i) {
    ds[i] = std::sin(TwoPi * Tones[i].Hz / SampleRate);
    dc[i] = std::cos(TwoPi * Tones[i].Hz / SampleRate);
  }
  for (size_t done = 0; done < out.size();) {
    const size_t n = std::min(out.size() - done, size_t(ToneBlock));
    for (size_t i = 0; i < Tones.size(); ++i) {
      // The cycles so far, without their whole part, keep the angle exact
      // however long the signal has run.
      const double cycles = Tones[i].Hz * double(k_) / SampleRate;
      const double angle = TwoPi * (cycles - std::floor(cycles)) + Tones[i].Phase;
      s[i] = std::sin(angle);
      c[i] = std::cos(angle);
    }
    for (double& y : out.subspan(done, n)) {
      if (k_ == next_spike_) StartSpike();
      y = 0.7 * s[0] + 0.4 * s[1] + 0.3 * (0.6 + 0.4 * s[3]) * s[2] + 0.1 * s[4] + noise_(random_) + spike_;
      spike_ *= decay;
      for (size_t i = 0; i < Tones.size(); ++i) {
        const double sn = s[i] * dc[i] + c[i] * ds[i];
        c[i] = c[i] * dc[i] - s[i] * ds[i];
        s[i] = sn;
      }
      ++k_;
    }
    done += n;
  }
}

}  // namespace plotwell_big_data
