// What the page's script calls: plain C functions over the page's one form,
// its picture and its file. Texts come in and go out as zero-terminated UTF-8
// in the module's memory; series and figures are read there as doubles.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "calc/calculate_command.h"
#include "calc/field_reading.h"
#include "platform/numbers/number_format.h"
#include "web/page_file.h"
#include "web/page_form.h"
#include "web/page_preview.h"
#include "web/page_spectrum.h"
#include "web/page_synthesis.h"

namespace {

korvel::web::PageForm form;
korvel::web::PagePreview preview;
korvel::web::PageFile file;
// The spectra: of the wavelet the picture shows, of a record opened by the
// user, and of the wavelet's file (what its download holds).
korvel::web::PageSpectrum spectra[3];
// The shock synthesised from a target SRS.
korvel::web::PageSynthesis synthesis;
std::string text;  // the text last handed to the script

korvel::web::PreviewSeries seriesOf(int series) { return static_cast<korvel::web::PreviewSeries>(series); }

const char* handOut(std::string value) {
  text = std::move(value);
  return text.c_str();
}

}  // namespace

extern "C" {

void korvel_set_field(int controlId, const char* utf8) { form.setFieldText(controlId, utf8); }
void korvel_set_half_sine_index(int index) { form.setHalfSineIndex(index); }

// The note shown beside a field whose text is read only in part; empty when read whole.
const char* korvel_field_note(const char* utf8) { return handOut(korvel::fieldReadingNote(utf8)); }

// The picture: 1 when there is a wavelet to draw, 0 when the duration is too short.
int korvel_update_preview(double scale) { return preview.update(form, scale) ? 1 : 0; }
const char* korvel_preview_warning() { return preview.warning().c_str(); }
std::int32_t korvel_preview_count() { return preview.count(); }
const double* korvel_preview_time() { return preview.time(); }
const double* korvel_preview_series(int series) { return preview.series(seriesOf(series)); }
std::int32_t korvel_preview_reduce(std::int32_t columns) { return preview.reduce(columns); }
const double* korvel_preview_lowest(int series) { return preview.lowest(seriesOf(series)); }
const double* korvel_preview_highest(int series) { return preview.highest(seriesOf(series)); }
// Ten doubles: peak amplitude and its time, peak velocity and its time, lowest
// and highest displacement with their times, velocity and displacement at the end.
const double* korvel_preview_figures() {
  static std::array<double, 10> figures;
  const korvel::MotionFigures& f = preview.figures();
  figures = {f.peakAmplitude.value,
             f.peakAmplitude.time,
             f.peakVelocity.value,
             f.peakVelocity.time,
             f.lowestDisplacement.value,
             f.lowestDisplacement.time,
             f.highestDisplacement.value,
             f.highestDisplacement.time,
             f.endVelocity,
             f.endDisplacement};
  return figures.data();
}

// A number as the form writes it in general notation: "%.{digits}g".
const char* korvel_format_general(double value, int digits) {
  std::string out;
  korvel::appendGeneral(out, value, digits, 0);
  return handOut(std::move(out));
}

// Calculate Time History: 1 with the file's bytes ready, 0 with the warning in korvel_message().
int korvel_calculate() {
  preview.forget();  // the file's samples replace the picture's
  return file.calculate(form) ? 1 : 0;
}
const char* korvel_file_data() { return file.data(); }
std::size_t korvel_file_size() { return file.size(); }
const char* korvel_message() { return file.message().c_str(); }
const char* korvel_completion_message(const char* fileName) { return handOut(korvel::completionMessageText(fileName)); }

// The shock response spectra, `which` of the three: options, a start on the
// picture's samples or on a record's text, the work in slices, the results.
int korvel_spectrum_options(int which, const char* q, int continuous, const char* rate) {
  return spectra[which].setOptions(q, continuous != 0, rate) ? 1 : 0;
}
// The picture's samples (korvel_update_preview first), at the form's sample rate.
int korvel_spectrum_start_wavelet(int which) {
  const double rate = korvel::readWaveletParams(form).samplesPerSecond;
  return spectra[which].startSamples(preview.series(korvel::web::PreviewSeries::Amplitude), preview.count(), rate,
                                     "the wavelet")
             ? 1
             : 0;
}
int korvel_spectrum_advance(int which, double samples) {
  return spectra[which].advance(static_cast<std::int64_t>(samples)) ? 1 : 0;
}
double korvel_spectrum_samples_left(int which) { return static_cast<double>(spectra[which].samplesLeft()); }
void korvel_spectrum_start_record(int which, const char* name) { spectra[which].startRecord(name); }
int korvel_spectrum_read(int which, const char* data, std::size_t size) {
  return spectra[which].readRecord(data, size) ? 1 : 0;
}
int korvel_spectrum_end(int which) { return spectra[which].endRecord() ? 1 : 0; }
int korvel_spectrum_done(int which) { return spectra[which].done() ? 1 : 0; }
std::int32_t korvel_spectrum_frequency_count(int which) {
  return static_cast<std::int32_t>(spectra[which].frequencyCount());
}
const char* korvel_spectrum_error(int which) { return handOut(spectra[which].error()); }
const char* korvel_spectrum_csv(int which) { return handOut(spectra[which].csv()); }
const char* korvel_spectrum_plot(int which) { return handOut(spectra[which].plot()); }
const char* korvel_spectrum_notes(int which) { return handOut(spectra[which].notes()); }

// The shock synthesis: the fields' texts (SynthesisField's order), the run
// (1 with the files ready, 0 with the message and its field), the files.
void korvel_synthesis_field(int field, const char* utf8) {
  synthesis.setField(static_cast<korvel::web::SynthesisField>(field), utf8);
}
int korvel_synthesize(const char* source) { return synthesis.run(source) ? 1 : 0; }
const char* korvel_synthesis_error() { return synthesis.error().c_str(); }
int korvel_synthesis_error_field() { return static_cast<int>(synthesis.errorField()); }
int korvel_synthesis_met() { return synthesis.met() ? 1 : 0; }
// Which file: 0 the time history, 1 the table, 2 the report, 3 the plot, 4 the summary, 5 the table as shown.
const char* korvel_synthesis_text(int which) {
  switch (which) {
    case 0: return synthesis.file().c_str();
    case 1: return synthesis.table().c_str();
    case 2: return synthesis.report().c_str();
    case 3: return synthesis.plot().c_str();
    case 4: return synthesis.summary().c_str();
    default: return handOut(synthesis.shownTable());
  }
}
std::size_t korvel_synthesis_file_size() { return synthesis.file().size(); }

}  // extern "C"
