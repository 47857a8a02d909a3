#pragma once

// The form's six inputs, written once: each one's control, its label, its
// korvel-cli option with that option's help line, and its element on the page.
// The form's template takes its labels from here, korvel-cli its options and
// its help, the page its fields (web/page_fields.cpp writes them into the page
// as it is built). Rows in the order the form shows them, top to bottom, which
// is the order korvel-cli's help and the page list them in. Where each sits on
// the form is the template's (res/dialog_templates.h); when the Calculate
// command reads a field, and what it becomes, is the command's
// (calc/calculate_command.cpp). Plain data, no window system.

#include <array>
#include <string_view>

#include "res/resource_ids.h"

namespace korvel::res {

struct FormInput {
  enum Kind {
    Field,  // a text field, read as a number
    List,   // the half-sine list: korvel-cli takes one of its labels
  };
  int controlId;
  Kind kind;
  std::string_view label;       // beside it on the form and on the page
  std::string_view longOption;  // korvel-cli's
  std::string_view shortOption;
  std::string_view help;         // its line in korvel-cli's --help; for the list, before the choices
  std::string_view pageElement;  // the id of its element on the page
};

inline constexpr std::array<FormInput, 6> kFormInputs{{
    {IDC_AMPLITUDE, FormInput::Field, "Amplitude", "--amplitude", "-a", "peak amplitude, in your units", "amplitude"},
    {IDC_FREQUENCY, FormInput::Field, "Frequency (Hz)", "--frequency", "-f", "carrier frequency, Hz", "frequency"},
    {IDC_HALF_SINES, FormInput::List, "Number of Half-Sine", "--half-sines", "-n", "number of half-sines",
     "half-sines"},
    {IDC_DELAY, FormInput::Field, "Delay (sec)", "--delay", "-d", "time at which the wavelet starts, s", "delay"},
    {IDC_DURATION, FormInput::Field, "Total Duration (sec)", "--duration", "-t", "total length of the record, s",
     "duration"},
    {IDC_SAMPLES_PER_SECOND, FormInput::Field, "Samples per second", "--rate", "-r", "samples per second", "rate"},
}};

// The input with this control id; none for an id of no input (so a constant
// expression that takes the label of such an id does not compile).
constexpr const FormInput* formInput(int controlId) {
  for (const FormInput& input : kFormInputs) {
    if (input.controlId == controlId) return &input;
  }
  return nullptr;
}

}  // namespace korvel::res
