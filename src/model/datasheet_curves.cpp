#include "model/datasheet_curves.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>

namespace vdmos {
namespace {

constexpr std::string_view kGateSeparator = ":";

constexpr std::array kKinds{
    CurveKindInfo{CurveKind::Transfer, "transfer", "Vgs", "V", "Id (A)", "at the transfer test's Vds"},
    CurveKindInfo{CurveKind::Output, "output:VGS", "Vds", "V", "Id (A)", "at the gate voltage VGS"},
    CurveKindInfo{CurveKind::RdsOn, "rdson", "Id", "A", "Rds(on) (Ohm)", "at the Rds(on) test's Vgs"},
    CurveKindInfo{CurveKind::Ciss, "ciss", "Vds", "V", "Ciss (pF)", "gate on source"},
    CurveKindInfo{CurveKind::Coss, "coss", "Vds", "V", "Coss (pF)", "gate on source"},
    CurveKindInfo{CurveKind::Crss, "crss", "Vds", "V", "Crss (pF)", "gate on source"},
    CurveKindInfo{CurveKind::GateCharge, "gatecharge", "Qg", "nC", "Vgs (V)",
                  "at the gate charge test's Id and Vds"},
    CurveKindInfo{CurveKind::Diode, "diode", "Vsd", "V", "Isd (A)", "body diode, gate on source"},
};

/// The name before any ":VGS".
std::string_view BaseName(const CurveKindInfo& info) {
  return info.name.substr(0, info.name.find(kGateSeparator));
}

}  // namespace

std::span<const CurveKindInfo> CurveKinds() { return kKinds; }

const CurveKindInfo& InfoOf(CurveKind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

bool IsCapacitanceCurve(CurveKind kind) {
  return kind == CurveKind::Ciss || kind == CurveKind::Coss || kind == CurveKind::Crss;
}

std::optional<DatasheetCurve> ReadCurveName(std::string_view text) {
  const std::size_t colon = text.find(kGateSeparator);
  const std::string_view base = text.substr(0, colon);
  const auto info = std::ranges::find(kKinds, base, BaseName);
  if (info == kKinds.end()) return std::nullopt;
  const bool output = info->kind == CurveKind::Output;
  if (output != (colon != std::string_view::npos)) return std::nullopt;
  DatasheetCurve curve{info->kind, 0, {}};
  if (output) {
    const std::optional<double> gate = ReadCurveNumber(text.substr(colon + 1));
    if (!gate || *gate == 0) return std::nullopt;
    curve.gateVoltage = std::abs(*gate);
  }
  return curve;
}

std::string CurveName(const DatasheetCurve& curve) {
  std::string name(BaseName(InfoOf(curve.kind)));
  if (curve.kind == CurveKind::Output) name.append(kGateSeparator).append(CurveNumberText(curve.gateVoltage));
  return name;
}

bool SameCurve(const DatasheetCurve& a, const DatasheetCurve& b) {
  return a.kind == b.kind && a.gateVoltage == b.gateVoltage;
}

void PutCurve(std::vector<DatasheetCurve>& curves, DatasheetCurve curve) {
  const auto same =
      std::ranges::find_if(curves, [&](const DatasheetCurve& c) { return SameCurve(c, curve); });
  if (same != curves.end()) {
    *same = std::move(curve);
    return;
  }
  const auto after = std::ranges::find_if(curves, [&](const DatasheetCurve& c) {
    return c.kind > curve.kind || (c.kind == curve.kind && c.gateVoltage > curve.gateVoltage);
  });
  curves.insert(after, std::move(curve));
}

std::optional<double> ReadCurveNumber(std::string_view text) {
  // from_chars takes no "+", which digitizers and spreadsheets may write.
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string CurveNumberText(double value) {
  std::array<char, 32> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), written.ptr);
}

}  // namespace vdmos
