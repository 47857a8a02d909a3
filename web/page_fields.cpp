// korvel-page-fields IN OUT: run by the build of the page. Copies the page's
// HTML from IN to OUT with the line {{{ FORM_INPUTS }}} replaced by the form's
// inputs as res/form_inputs.h lists them, each with its label: a text field
// for each number (its control id in data-control, by which the script hands
// its text to the form) and the list of half-sine counts.

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "calc/calculate_command.h"
#include "res/form_inputs.h"

namespace {

using korvel::res::FormInput;

constexpr std::string_view kMarker = "{{{ FORM_INPUTS }}}";

// The text as HTML shows it as it stands.
std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// The inputs' HTML, every line starting with `indent`.
std::string inputsHtml(const std::string& indent) {
  std::string out;
  for (const FormInput& input : korvel::res::kFormInputs) {
    const std::string id = escaped(input.pageElement);
    const std::string label = "<label for=\"" + id + "\">" + escaped(input.label) + "</label>";
    if (input.kind == FormInput::Field) {
      out += indent + "<div class=\"field\">" + label + "<input id=\"" + id + "\" data-control=\"" +
             std::to_string(input.controlId) + "\"></div>\n";
      continue;
    }
    out += indent + "<div class=\"field\">\n";
    out += indent + "  " + label + "\n";
    out += indent + "  <select id=\"" + id + "\">\n";
    // The list's entries three to a line, the first selected, as on the form.
    for (int k = 0; k < korvel::kHalfSineEntryCount; ++k) {
      if (k % 3 == 0) out += indent + "    ";
      out += "<option value=\"" + std::to_string(k) + "\"" + (k == 0 ? " selected" : "") + ">" +
             std::to_string(korvel::halfSineCountForIndex(k)) + "</option>";
      if (k % 3 == 2 || k + 1 == korvel::kHalfSineEntryCount) out += "\n";
    }
    out += indent + "  </select>\n" + indent + "</div>\n";
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: korvel-page-fields IN OUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "korvel-page-fields: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::ostringstream read;
  read << in.rdbuf();
  const std::string shell = read.str();
  // Line by line, each as it stands but the marker's.
  std::string page;
  int markers = 0;
  for (std::size_t start = 0; start < shell.size();) {
    const std::size_t newline = shell.find('\n', start);
    const std::size_t end = newline == std::string::npos ? shell.size() : newline + 1;
    const std::string_view line = std::string_view(shell).substr(start, end - start);
    const std::size_t text = line.find_first_not_of(' ');
    if (text != std::string_view::npos && line.substr(text) == std::string(kMarker) + "\n") {
      page += inputsHtml(std::string(line.substr(0, text)));
      ++markers;
    } else {
      page += line;
    }
    start = end;
  }
  if (markers != 1) {
    std::cerr << "korvel-page-fields: " << argv[1] << " needs one line " << kMarker
              << ", where the inputs go; it holds " << markers << "\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << page;
  if (!out.flush()) {
    std::cerr << "korvel-page-fields: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
