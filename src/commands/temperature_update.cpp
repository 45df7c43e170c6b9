#include "commands/temperature_update.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "extract/junction_potential.h"
#include "model/card_reading.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/fet_type.h"
#include "model/field_reading.h"
#include "model/hot_device.h"
#include "model/numbers.h"

namespace vdmos {
namespace {

/// A typed field's number; nullopt for an empty field, and for one beyond a double, which is
/// named.
std::optional<double> Typed(const WindowState& state, std::string_view control,
                            std::vector<TemperatureProblem>& problems) {
  if (state.text(control).empty()) return std::nullopt;
  try {
    return FieldValue(state, control);
  } catch (const ArithmeticFault&) {
    problems.push_back(
        {control, "\"" + std::string(FindField(control)->quantity) + "\" is too large to use."});
    return std::nullopt;
  }
}

/// A number as the card writes it, read back: the simulator sees no more digits than that.
double AsWritten(double value, std::string_view mask, CardDigits digits) {
  return EngineeringReading(CardParameterText(value, mask, digits));
}

double Value(const WindowState& state, std::string_view control) {
  try {
    return FieldValue(state, control);
  } catch (const ArithmeticFault&) {
    return 0;
  }
}

// The fields the temperature line is fitted from; the others of the frame (BvHot, IdssHot)
// go into the subcircuit or the check as typed, never into the card.
constexpr std::array<control::Name, 8> kFittedFields{
    control::TjHot,  control::RdsHotRatio, control::Tj2,    control::RdsRatio2,
    control::VthHot, control::VsdHot,      control::IsdHot, control::ZtcVgs};

}  // namespace

std::vector<std::string> TemperatureFieldTexts(const WindowState& state) {
  std::vector<std::string> texts;
  for (const control::Name control : kFittedFields) texts.push_back(state.text(control));
  return texts;
}

bool TemperatureFieldsChanged(const WindowState& state) {
  return state.card != CardTexts{} && TemperatureFieldTexts(state) != state.params.temperatureFields;
}

double JunctionPotentialFloorOf(const WindowState& state) {
  const std::optional<double> hot = HotCelsius(state);
  if (!hot) return 0;
  double hottest = *hot;
  std::vector<TemperatureProblem> unread;
  if (const std::optional<double> tj2 = Typed(state, control::Tj2, unread); tj2 && UsableHotCelsius(*tj2))
    hottest = std::max(hottest, *tj2);
  return JunctionPotentialFloor(hottest);
}

TemperatureFit TemperatureFitOf(const WindowState& state, const ModelParameterSet& params,
                                std::string_view lambdaText, CardPrecision precision) {
  std::vector<TemperatureProblem> unread;
  TemperatureTargets targets{.tjHot = Typed(state, control::TjHot, unread),
                             .rdsRatio = Typed(state, control::RdsHotRatio, unread),
                             .tj2 = Typed(state, control::Tj2, unread),
                             .rdsRatio2 = Typed(state, control::RdsRatio2, unread),
                             .vthHot = Typed(state, control::VthHot, unread),
                             .vsdHot = Typed(state, control::VsdHot, unread),
                             .isdHot = Typed(state, control::IsdHot, unread),
                             .ztcVgs = Typed(state, control::ZtcVgs, unread)};
  try {
    const CardDigits dc = precision.dc;
    const bool pmos = IsPChannelType(state.text(control::Combo1));
    const double vto = AsWritten(params.VTO, card_mask::kVTO, dc);
    const ChannelLaw room{.KP = AsWritten(params.KP, card_mask::kKP, dc),
                          .VTO = pmos ? -vto : vto,
                          .RS = AsWritten(params.RS, card_mask::kRS, dc),
                          .RD = AsWritten(params.RD, card_mask::kRD, dc),
                          .LAMBDA = EngineeringReading(lambdaText),
                          .KSUBTHRES = params.KSUBTHRES.value_or(kSimulatorKsubthres)};
    RoomValues values{.rdsOn = Value(state, control::Text6),
                      .rdsOnVgs = Value(state, control::rdsonVgs),
                      .rdsOnVds = kOnResistanceDrainVoltage,
                      .vgsTh = Value(state, control::Text3),
                      .vthCurrent = Value(state, control::VthCurrent),
                      .transferVds = Value(state, control::TextBoxVdsTest)};
    values.IS = CardTextValue(params.bodyDiodeText, "IS").value_or(0);
    values.N = EmissionAtNominal(CardTextValue(params.bodyDiodeText, "N").value_or(0));
    values.RB = CardTextValue(params.bodyDiodeText, "RB").value_or(0);
    const std::array currents{Value(state, control::id1), Value(state, control::id2),
                              Value(state, control::id3)};
    values.isdLow = std::ranges::min(currents);
    values.isdHigh = std::ranges::max(currents);
    TemperatureFit fit = FitTemperature(room, values, targets);
    fit.problems.insert(fit.problems.begin(), unread.begin(), unread.end());
    return fit;
  } catch (const ArithmeticFault&) {
    TemperatureFit none;
    none.problems = std::move(unread);
    return none;
  }
}

}  // namespace vdmos
