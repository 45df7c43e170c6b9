#include "model/field_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/numbers.h"

namespace vdmos {
namespace {

using P = FieldProblem;

struct Case {
  std::string_view control;
  std::string_view text;
  double value;
  FieldProblem problem;
};

const FieldInfo& Field(std::string_view control) { return *FindField(control); }

// Which texts are named, and what every text reads as. Texts read whole keep exactly the value
// of the field's reading; a unit after the number is understood.
TEST(FieldReading, ClassifiesAndReadsEachKindOfText) {
  const Case cases[] = {
      // Well-formed numbers and scales, as the readings take them.
      {control::Text6, "160m", 0.16, P::None},
      {control::Text6, " 1.5e-1 ", 0.15, P::None},
      {control::Text3, "-2", -2, P::None},
      {control::Text3, "1Meg", 1e6, P::None},
      {control::Text3, "1M", 0.001, P::None},
      {control::Text21, "13000", 13000, P::None},
      {control::Trr, "500", 500, P::None},
      // The field's own unit, with or without a scale and blanks.
      {control::Text6, "160mOhm", 0.16, P::None},
      {control::Text6, "1.2kOhm", 1200, P::None},
      {control::Text6, "2 ohm", 2, P::None},
      {control::Text3, "3V", 3, P::None},
      {control::id1, "5 mA", 0.005, P::None},
      {control::Qgs, "11nC", 11, P::None},
      {control::Qgs, "11 nC", 11, P::None},
      {control::Qgs, "0.011uC", 11, P::None},
      {control::Qgs, "1.1e-8C", 11, P::None},
      {control::Text7, "2.4nF", 2400, P::None},
      {control::Text7, "2400pF", 2400, P::None},
      {control::Trr, "0.5us", 500, P::None},
      {control::avalanche_volt, "0.63kV", 630, P::None},
      // Nothing to read.
      {control::Text6, "abc", 0, P::NoNumber},
      {control::Text6, "m", 0, P::NoNumber},
      {control::Text3, "", 0, P::Empty},
      {control::Text3, "  ", 0, P::Empty},
      // Optional fields may stay empty.
      {control::avalanche_volt, "", 0, P::None},
      {control::Text2, "", 0, P::None},
      {control::Qgs, "", 0, P::None},
      // Text the reading leaves out.
      {control::Text6, "160x", 160, P::TrailingText},
      {control::Text3, "3p3", 3e-12, P::TrailingText},
      {control::Text3, "2,5", 2, P::TrailingText},
      {control::avalanche_volt, "630k", 630, P::TrailingText},
      // A bare scale on a unit that has one: named, read as before.
      {control::Qgs, "11n", 11e-9, P::ScaledTwice},
      {control::Text7, "2.4n", 2.4, P::ScaledTwice},
      {control::Text7, "2400f", 2400, P::ScaledTwice},  // femto, not farad
      {control::Text3, "1e999", 0, P::Overflow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.control) + " \"" + std::string(c.text) + "\"");
    const FieldRead read = ClassifyField(Field(c.control), c.text);
    EXPECT_EQ(read.problem, c.problem);
    EXPECT_EQ(read.value, c.value);
  }
}

TEST(FieldReading, TextsWithoutUnitReadAsTheFieldsReadingDoes) {
  // Every start text, and the values the files of the tests use, read exactly as before.
  for (const FieldInfo& field : DatasheetFields()) {
    if (field.reading == Reading::Text) continue;
    for (const std::string_view text : {field.startText, std::string_view("2.4n"), std::string_view("3p3")}) {
      const double reading = field.reading == Reading::Plain ? PlainReading(text) : EngineeringReading(text);
      EXPECT_EQ(ReadFieldValue(field, text), reading) << field.control << " \"" << text << "\"";
    }
  }
}

TEST(FieldReading, ReadingsThrowOnOverflowLikeTheNumbers) {
  EXPECT_THROW(ReadFieldValue(Field(control::Text3), "1e999"), ArithmeticFault);
  EXPECT_THROW(ReadFieldValue(Field(control::Qgs), "1e300MEGC"), ArithmeticFault);
}

TEST(FieldReading, WarningsNameTheFieldsWithWhatWasRead) {
  WindowState state;
  EXPECT_TRUE(FieldWarnings(state).empty());
  state.setText(control::Text6, "abc");
  state.setText(control::Text3, "");
  state.setText(control::Qgs, "11n");
  state.setText(control::Text7, "2400 pf");
  state.setText(control::Text20, "");  // the model name is no number
  const std::vector<FieldWarning> warnings = FieldWarnings(state);
  ASSERT_EQ(warnings.size(), 4u);
  EXPECT_EQ(warnings[0].field->control, control::Text6);
  EXPECT_EQ(warnings[0].text, "abc");
  EXPECT_EQ(warnings[0].message, "no number: read as 0 Ohm");
  EXPECT_EQ(warnings[1].message, "empty: read as 0 V");
  EXPECT_EQ(warnings[2].message, "\"pf\" left out: read as 2400 pF");
  EXPECT_EQ(warnings[3].message, "\"n\" would scale nC a second time: read as 1.1E-08 nC");
}

// Only the list's "PMOS", exactly, makes a P-channel card; a FET type typed otherwise is named.
TEST(FieldReading, AFetTypeTypedAsNeitherListItemIsNamed) {
  WindowState state;
  for (const char* type : {"NMOS", "PMOS"}) {
    state.setText(control::Combo1, type);
    EXPECT_TRUE(FieldWarnings(state).empty()) << type;
  }
  for (const char* type : {"pmos", "PMOS ", "P"}) {
    state.setText(control::Combo1, type);
    const std::vector<FieldWarning> warnings = FieldWarnings(state);
    ASSERT_EQ(warnings.size(), 1u) << type;
    EXPECT_EQ(warnings[0].field->control, control::Combo1);
    EXPECT_EQ(warnings[0].message, "neither NMOS nor PMOS: read as NMOS (an N-channel card)");
  }
}

}  // namespace
}  // namespace vdmos
