#pragma once

// The spectrum a shock synthesis aims at: breakpoints (frequency, level), with
// a straight line on log-log axes between neighbours (a constant dB/octave).

#include <string>
#include <string_view>
#include <vector>

namespace korvel::shock {

struct TargetBreakpoint {
  double frequency = 0;  // Hz
  double level = 0;      // the SRS there, in the acceleration unit
};

class SynthesisTarget {
 public:
  // At least two breakpoints, frequencies increasing, levels above 0.
  explicit SynthesisTarget(std::vector<TargetBreakpoint> breakpoints) : breakpoints_(std::move(breakpoints)) {}

  // The level at `frequency`, within the first and last breakpoint (beyond
  // them the end segment's line goes on).
  double levelAt(double frequency) const;

  double lowest() const { return breakpoints_.front().frequency; }
  double highest() const { return breakpoints_.back().frequency; }
  const std::vector<TargetBreakpoint>& breakpoints() const { return breakpoints_; }

 private:
  std::vector<TargetBreakpoint> breakpoints_;
};

// Lines "frequency, level" (commas, spaces or tabs between; one header line
// before the first breakpoint and # comments allowed). Throws RecordError
// naming `source`, the line and what is wrong.
SynthesisTarget readSynthesisTarget(std::string_view text, const std::string& source);

}  // namespace korvel::shock
