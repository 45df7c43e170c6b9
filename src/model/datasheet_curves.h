#pragma once
// The datasheet's figures as digitized points: which characteristic a curve is, its axes and
// units, and the readable name the command line, the values file and the messages use for it
// ("ciss", "output:10"). The window state holds the curves; reading and writing them is the
// files' business.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vdmos {

enum class CurveKind { Transfer, Output, RdsOn, Ciss, Coss, Crss, GateCharge, Diode };

struct CurvePoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

struct CurveKindInfo {
  CurveKind kind;
  std::string_view name;     ///< "transfer", "output", … ; output takes ":VGS" after it
  std::string_view xName;    ///< "Vgs"
  std::string_view xUnit;    ///< "V"
  std::string_view yAxis;    ///< "Id (A)"
  std::string_view meaning;  ///< under which test condition the datasheet prints it
};

/// Every kind, in the order the help lists them and the values file writes them.
std::span<const CurveKindInfo> CurveKinds();
const CurveKindInfo& InfoOf(CurveKind kind);

/// Ciss, Coss or Crss: a curve that cannot go below 0.
bool IsCapacitanceCurve(CurveKind kind);

/// One digitized curve: its kind, the gate voltage of an output curve (0 for the others) and
/// its points as the file gave them.
struct DatasheetCurve {
  CurveKind kind = CurveKind::Transfer;
  double gateVoltage = 0;
  std::vector<CurvePoint> points;
  friend bool operator==(const DatasheetCurve&, const DatasheetCurve&) = default;
};

/// Reads a curve's name: a kind's name, or "output:VGS" with a plain gate voltage other than 0,
/// taken as its magnitude (a P-channel figure labels its curves "VGS = -10 V"), as the curves'
/// points are. nullopt for anything else. The curve comes back without points.
std::optional<DatasheetCurve> ReadCurveName(std::string_view text);
/// The name ReadCurveName reads back to the same kind and gate voltage.
std::string CurveName(const DatasheetCurve& curve);
/// Whether two curves stand for the same figure line (kind, and an output curve's gate voltage).
bool SameCurve(const DatasheetCurve& a, const DatasheetCurve& b);

/// Puts the curve in place of the one for the same figure line, or adds it, keeping the list
/// in the order of CurveKinds() and output curves by ascending gate voltage.
void PutCurve(std::vector<DatasheetCurve>& curves, DatasheetCurve curve);

/// A number written with "." whatever the locale, an optional sign and exponent; nullopt for
/// anything else, or a value that is not finite. The one reading of a curve's numbers.
std::optional<double> ReadCurveNumber(std::string_view text);
/// The shortest text ReadCurveNumber reads back to exactly the same value.
std::string CurveNumberText(double value);

}  // namespace vdmos
