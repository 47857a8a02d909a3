#include "web/page_spectrum.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "shock/shown_number.h"
#include "shock/spectrum_csv.h"
#include "shock/spectrum_frequencies.h"
#include "shock/spectrum_plot.h"

namespace korvel::web {
namespace {

// korvel-shock's message about an option, in the words of the page's field.
std::string inFieldWords(std::string message) {
  for (const auto& [option, field] : {std::pair<std::string, std::string>{"--q ", "Q "},
                                      std::pair<std::string, std::string>{"--rate ", "The sample rate "}}) {
    if (message.starts_with(option)) return field + message.substr(option.size());
  }
  return message;
}

}  // namespace

bool PageSpectrum::setOptions(const std::string& qText, bool continuous, const std::string& rateText) {
  std::vector<std::string> words{"--q", qText, "--peak", continuous ? "continuous" : "sampled"};
  if (!rateText.empty()) words.insert(words.end(), {"--rate", rateText});
  words.push_back("record");
  try {
    options_ = shock::parseSrsOptions(words);
    optionsUsable_ = true;
    optionsError_.clear();
  } catch (const std::exception& error) {
    optionsUsable_ = false;
    optionsError_ = inFieldWords(error.what());
    // Nothing is shown as done with options the user can no longer see.
    error_ = optionsError_;
    done_ = false;
  }
  return optionsUsable_;
}

void PageSpectrum::begin(std::string source) {
  source_ = std::move(source);
  record_.reset();
  engine_.reset();
  frequencies_.clear();
  peaks_.clear();
  rate_ = 0;
  samples_ = nullptr;
  sampleCount_ = position_ = 0;
  waiting_.clear();
  textEnded_ = true;
  done_ = false;
  error_ = optionsError_;
}

bool PageSpectrum::fail(const std::string& what) {
  error_ = what;
  engine_.reset();
  record_.reset();
  return false;
}

void PageSpectrum::rateKnown(double rate, std::optional<std::int64_t> count) {
  rate_ = rate;
  frequencies_ = shock::spectrumFrequencies(options_, rate, count);
  engine_ = std::make_unique<srs::SpectrumEngine>(frequencies_, rate, options_.q, options_.rule);
}

bool PageSpectrum::startSamples(const double* samples, std::int64_t count, double rate, std::string source) {
  begin(std::move(source));
  if (!optionsUsable_) return false;
  if (count <= 0) return fail("No samples: the duration and the sample rate give none.");
  // The oscillators' free decay never dies away from an infinite response.
  if (std::any_of(samples, samples + count, [](double v) { return !std::isfinite(v); })) {
    return fail("Some samples are beyond the largest number (inf or nan): no spectrum.");
  }
  if (!(rate > 0) || !std::isfinite(rate))
    return fail("the sample rate " + shock::shownNumber(rate) + " gives no spectrum");
  try {
    rateKnown(rate, count);
  } catch (const std::exception& error) {
    return fail(error.what());
  }
  samples_ = samples;
  sampleCount_ = count;
  return true;
}

std::int64_t PageSpectrum::samplesLeft() const {
  return record_ ? static_cast<std::int64_t>(waiting_.size()) - position_ : sampleCount_ - position_;
}

bool PageSpectrum::advance(std::int64_t count) {
  if (done_ || failed() || !engine_) return true;
  const std::int64_t taken = std::min(count, samplesLeft());
  const double* samples = record_ ? waiting_.data() : samples_;
  if (taken > 0) engine_->feed(samples + position_, static_cast<std::size_t>(taken));
  position_ += taken;
  if (samplesLeft() > 0) return false;
  if (record_) {
    waiting_.clear();
    position_ = 0;
    if (!textEnded_) return true;
  }
  finish();
  return true;
}

void PageSpectrum::startRecord(std::string source) {
  begin(source);
  if (!optionsUsable_) return;
  record_ = std::make_unique<shock::RecordText>(
      shock::shownText(source_), options_.rate,
      [this](double rate, std::optional<std::int64_t> count) { rateKnown(rate, count); },
      [this](const double* samples, std::size_t count) { waiting_.insert(waiting_.end(), samples, samples + count); });
  textEnded_ = false;
}

bool PageSpectrum::readRecord(const char* data, std::size_t size) {
  if (!record_) return false;
  try {
    record_->read(data, size);
  } catch (const std::exception& error) {
    return fail(error.what());
  }
  return true;
}

bool PageSpectrum::endRecord() {
  if (!record_) return false;
  try {
    record_->end();
  } catch (const std::exception& error) {
    return fail(error.what());
  }
  sampleCount_ = record_->sampleCount();
  textEnded_ = true;
  return true;
}

// The peaks once the free decay has rung out; a response beyond double
// precision is refused as korvel-shock refuses it.
bool PageSpectrum::finish() {
  peaks_ = engine_->finish();
  engine_.reset();
  record_.reset();
  for (std::size_t i = 0; i < peaks_.size(); ++i) {
    if (!std::isfinite(peaks_[i].maximax)) {
      return fail(shock::shownText(source_) + ": the response at " + shock::shownNumber(frequencies_[i]) +
                  " Hz overflows double precision: scale the record down");
    }
  }
  done_ = true;
  return true;
}

std::string PageSpectrum::csv() const { return done_ ? shock::spectrumCsv(frequencies_, peaks_) : std::string(); }

std::string PageSpectrum::plot() const {
  if (!done_) return {};
  const std::string rule = options_.rule == srs::PeakRule::Sampled ? "peaks at the samples" : "continuous peaks";
  return shock::spectrumPlotSvg(
      frequencies_, peaks_,
      {"Shock response spectrum of " + source_,
       "Q = " + shock::shownNumber(options_.q) + ", " + rule + ", " + shock::shownPlainNumber(rate_) +
           " samples per second, " + std::to_string(sampleCount_) + " samples",
       ""});
}

std::string PageSpectrum::notes() const {
  std::string text;
  if (!done_) return text;
  for (const std::string& note : shock::spectrumNotes(frequencies_, rate_, sampleCount_, options_.rule)) {
    text += note + "\n";
  }
  return text;
}

}  // namespace korvel::web
