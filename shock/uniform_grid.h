#pragma once

// Whether a record's printed times are a uniform grid within the precision
// they are printed at, and which sample rate they were written at.

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvel::shock {

// Half a unit in the last digit of a printed decimal number ("1.000000e-002"
// gives 5e-9, "0.25" gives 0.005, "12" gives 0.5; a zero, "0" or "0.000", 0).
double halfUnitOf(std::string_view number);

// 5 x 10^k: half a unit where the last printed digit stands for 10^(k+1).
double halfUnitAt(int k);

// The steps consistent with every time added so far: each time lies within
// its printed precision (and one part in 10^9 of its value, for times that
// were summed in floating point) of first + i * step.
class UniformGrid {
 public:
  // Holds the grid to this one step (a sample rate given outright).
  void fixStep(double step) { fixedStep_ = step; }

  // The next row's time, printed with half-unit `halfUnit`: false when no
  // step fits it and every time before.
  bool add(double time, double halfUnit);

  std::int64_t rows() const { return rows_; }
  double lowestStep() const { return lowest_; }
  double highestStep() const { return highest_; }
  bool allows(double step) const { return lowest_ <= step && step <= highest_; }

 private:
  std::optional<double> fixedStep_;
  std::int64_t rows_ = 0;
  double first_ = 0;
  double firstMargin_ = 0;
  double lowest_ = 0;
  double highest_ = 0;
};

// The sample rate with the fewest significant digits whose step 1 / rate lies
// in [lowestStep, highestStep] (0 < lowestStep <= highestStep): a rate the
// user typed comes back as typed.
double shortestRateFor(double lowestStep, double highestStep);

}  // namespace korvel::shock
