#pragma once

// A shock response spectrum in the page, with korvel-shock srs's defaults,
// checks, CSV and plot: of samples already in memory (the wavelet the picture
// shows) or of a record's text read in pieces (a file opened or dropped,
// korvel's or a measured one). The script asks for the work in slices between
// frames, so a long record never holds the page up.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shock/record_text.h"
#include "shock/srs_options.h"
#include "srs/spectrum_engine.h"

namespace korvel::web {

class PageSpectrum {
 public:
  // Q's text, the peak rule and, for a record of one column, the sample rate's
  // text (empty: none), checked as korvel-shock checks --q and --rate. False
  // with the reason in error() when they cannot be used; until the next start
  // nothing is computed then.
  bool setOptions(const std::string& qText, bool continuous, const std::string& rateText);

  // Starts on `count` samples at `rate` per second that stay in place until
  // finished; `source` names them in the plot. False with error() when there
  // is nothing to compute.
  bool startSamples(const double* samples, std::int64_t count, double rate, std::string source);

  // Starts on a record's text, named `source` in messages and the plot.
  void startRecord(std::string source);
  // The record's next piece, and its end; false on a record error (error()).
  // The samples read wait for advance(), so that reading a piece takes little time.
  bool readRecord(const char* data, std::size_t size);
  bool endRecord();

  // Follows up to `count` of the samples waiting; true once none is left: then
  // the spectrum is done (or has failed) unless a record's text is still to come.
  bool advance(std::int64_t count);
  std::int64_t samplesLeft() const;

  bool failed() const { return !error_.empty(); }
  bool done() const { return done_; }
  const std::string& error() const { return error_; }
  std::size_t frequencyCount() const { return frequencies_.size(); }

  // The finished spectrum: its CSV as korvel-shock writes it, its plot, and the
  // command's notes, one a line.
  std::string csv() const;
  std::string plot() const;
  std::string notes() const;

 private:
  void begin(std::string source);
  void rateKnown(double rate, std::optional<std::int64_t> count);
  bool finish();
  bool fail(const std::string& what);

  shock::SrsOptions options_;
  bool optionsUsable_ = false;
  std::string optionsError_;

  std::string source_;
  std::unique_ptr<shock::RecordText> record_;
  std::unique_ptr<srs::SpectrumEngine> engine_;
  std::vector<double> frequencies_;
  std::vector<srs::Peaks> peaks_;
  double rate_ = 0;
  const double* samples_ = nullptr;  // the samples given, or those read and waiting
  std::int64_t sampleCount_ = 0;
  std::int64_t position_ = 0;
  std::vector<double> waiting_;  // a record's samples read and not yet followed
  bool textEnded_ = true;        // no more of a record's text to come
  bool done_ = false;
  std::string error_;
};

}  // namespace korvel::web
