// What the form and the page tell the user about a field's text that is not
// read as a whole.

#include <gtest/gtest.h>

#include <string>

#include "calc/field_reading.h"

namespace korvel {
namespace {

TEST(FieldReading, ANoteSaysWhatATextReadInPartGives) {
  struct Case {
    const char* text;
    const char* note;
  };
  const Case cases[] = {
      {"", ""},
      {" \t ", ""},
      {"1.5", ""},
      {" -7e2  ", ""},
      {"1,5", "Read as 1: the text after \"1\" is ignored (the decimal separator is the point)."},
      {"0,2", "Read as 0: the text after \"0\" is ignored (the decimal separator is the point)."},
      {"2.5abc", "Read as 2.5: the text after \"2.5\" is ignored."},
      {"  1.0000001 s", "Read as 1.0000001: the text after \"1.0000001\" is ignored."},
      {"1.5d3 m", "Read as 1500: the text after \"1.5d3\" is ignored."},
      {"1e", "Read as 1: the text after \"1\" is ignored."},
      {"0x10", "Read as 0: the text after \"0\" is ignored."},
      {"-0.0q", "Read as -0: the text after \"-0.0\" is ignored."},
      {"1e999 x", "Read as inf: the text after \"1e999\" is ignored."},
      {"1,", "Read as 1: the text after \"1\" is ignored."},
      {"abc", "Read as 0: the text does not begin with a number."},
      {"-", "Read as 0: the text does not begin with a number."},
      {"inf", "Read as 0: the text does not begin with a number."},
  };
  for (const Case& c : cases) EXPECT_EQ(fieldReadingNote(c.text), c.note) << "text \"" << c.text << '"';

  const std::string longNumber = "1" + std::string(100, '0');
  EXPECT_EQ(fieldReadingNote(longNumber + "x"),
            "Read as 1e+100: the text after \"100000000000...000000000000\" is ignored.");
}

}  // namespace
}  // namespace korvel
