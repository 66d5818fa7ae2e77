// The program's stand-in for a measured signal: what a data logger might
// deliver from a sensor sampled at 1 MHz. A slow drift, a few oscillations
// (one of them swelling and fading), mains hum, Gaussian noise and, about
// every 0.6 s, a spike that decays within a millisecond. Its values stay
// within YLow .. YHigh: the deterministic parts and the largest spike reach
// 2.7, and the noise would have to pass 6 standard deviations.
//
// The signal is a function of the sample number and of a seed: two signals
// made with one seed give the same samples, so the pictures of two runs
// are alike.
#pragma once

#include <cstdint>
#include <random>
#include <span>

namespace plotwell_big_data {

class TSignal {
 public:
  static constexpr double SampleRate = 1e6;  // samples a second
  static constexpr double YLow = -3.0, YHigh = 3.0;

  explicit TSignal(uint64_t seed = 1);

  // Writes the next samples into `out`, one after the other.
  void Next(std::span<double> out);
  // How many samples Next has written.
  int64_t Samples() const { return k_; }

 private:
  // Gives the spike running now a new height and draws the sample at which
  // the next one starts.
  void StartSpike();

  std::mt19937_64 random_;
  std::normal_distribution<double> noise_{0.0, 0.05};
  int64_t k_ = 0;
  double spike_ = 0;  // the running spike's height now; it decays each sample
  int64_t next_spike_ = 0;
};

}  // namespace plotwell_big_data
