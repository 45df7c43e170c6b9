#include "model/fields.h"

#include <array>

#include "model/control_names.h"
#include "model/fet_type.h"

namespace vdmos {
namespace {

using R = Reading;
constexpr std::optional<std::string_view> kUntouched = std::nullopt;
constexpr bool kNeeded = true;
// The datasheet may not give it, or a computation handles it missing: the card then lacks
// the part it makes (a body diode, a breakdown diode, RG, TT) or the check skips the point.
constexpr bool kOptional = false;

// The order follows the window: top row, DC page, AC page, then the model card page.
constexpr std::array kFields{
    FieldInfo{control::Text20, "20N60C3", "", R::Text, "", "model name", kOptional},
    FieldInfo{control::Combo1, kNmosText, kNmosText, R::Text, "", "FET type", kOptional},
    FieldInfo{control::Text6, "160m", "", R::Engineering, "Ohm", "Rds(on)", kNeeded},
    FieldInfo{control::rdsonVgs, "10", "10", R::Engineering, "V", "Vgs of Rds(on)", kNeeded},
    FieldInfo{control::Text3, "3", "", R::Engineering, "V", "Vgs(th)", kNeeded},
    FieldInfo{control::Text2, "540m", "", R::Engineering, "Ohm", "Rg", kOptional},
    FieldInfo{control::Vplat, "5.5", "", R::Engineering, "V", "plateau Vgs", kNeeded},
    FieldInfo{control::Idplat, "20.7", "", R::Engineering, "A", "plateau Id", kNeeded},
    FieldInfo{control::Text5, "7.5", "", R::Engineering, "V", "Vgs at the largest Id", kNeeded},
    FieldInfo{control::Text4, "70", "", R::Engineering, "A", "largest Id", kNeeded},
    FieldInfo{control::TextBoxVdsTest, "50", kUntouched, R::Engineering, "V", "Vds of the transfer curve",
              kNeeded},
    FieldInfo{control::vd1, "700m", "", R::Engineering, "V", "Vsd of diode point 1", kOptional},
    FieldInfo{control::id1, "400m", "", R::Engineering, "A", "Isd of diode point 1", kOptional},
    FieldInfo{control::vd2, "800m", "", R::Engineering, "V", "Vsd of diode point 2", kOptional},
    FieldInfo{control::id2, "3", "", R::Engineering, "A", "Isd of diode point 2", kOptional},
    FieldInfo{control::vd3, "1.2", "", R::Engineering, "V", "Vsd of diode point 3", kOptional},
    FieldInfo{control::id3, "45", "", R::Engineering, "A", "Isd of diode point 3", kOptional},
    FieldInfo{control::VdsRange, "25", kUntouched, R::Text, "V", "Vds range", kOptional},
    FieldInfo{control::Text_LAMBDA, "1m", kUntouched, R::Engineering, "", "LAMBDA", kOptional},
    FieldInfo{control::Out_VGS, "5.5", kUntouched, R::Engineering, "V", "Vgs of the output check", kNeeded},
    FieldInfo{control::OUT_VDS1, "10", kUntouched, R::Engineering, "V", "Vds of output check 1", kNeeded},
    FieldInfo{control::OUT_VDS2, "25", kUntouched, R::Engineering, "V", "Vds of output check 2", kNeeded},
    FieldInfo{control::Text21, "13000", "", R::Plain, "pF", "Coss at 0 V", kNeeded},
    FieldInfo{control::Text10, "3400", "", R::Plain, "pF", "Crss at 0 V", kNeeded},
    FieldInfo{control::TextVdsMiddle, "25", "25", R::Engineering, "V", "middle Vds", kNeeded},
    FieldInfo{control::Text7, "2400", "", R::Plain, "pF", "Ciss at the middle Vds", kNeeded},
    FieldInfo{control::Text8, "780", "", R::Plain, "pF", "Coss at the middle Vds", kNeeded},
    FieldInfo{control::Text9, "50", "", R::Plain, "pF", "Crss at the middle Vds", kNeeded},
    FieldInfo{control::TextVdsMax, "600", "", R::Engineering, "V", "highest Vds", kNeeded},
    FieldInfo{control::TextCossMin, "65", "", R::Plain, "pF", "Coss at the highest Vds", kNeeded},
    FieldInfo{control::Text11, "7", "", R::Plain, "pF", "Crss at the highest Vds", kNeeded},
    FieldInfo{control::Trr, "500", "", R::Plain, "ns", "Trr", kOptional},
    FieldInfo{control::IdCharge, "20.7", "", R::Text, "A", "Id of the gate charge", kOptional},
    FieldInfo{control::VdCharge, "480", "", R::Text, "V", "Vd of the gate charge", kOptional},
    FieldInfo{control::Qgs, "11", "", R::Engineering, "nC", "Qgs", kOptional},
    FieldInfo{control::Qgd, "33", "", R::Engineering, "nC", "Qgd", kOptional},
    FieldInfo{control::Qg, "87", "", R::Engineering, "nC", "Qg", kOptional},
    FieldInfo{control::VgCharge, "10", "", R::Engineering, "V", "Vgs of Qg", kOptional},
    FieldInfo{control::avalanche_volt, "630", "", R::Plain, "V", "Vds breakdown", kOptional},
};

}  // namespace

std::span<const FieldInfo> DatasheetFields() { return kFields; }

const FieldInfo* FindField(std::string_view control) {
  for (const FieldInfo& field : kFields)
    if (field.control == control) return &field;
  return nullptr;
}

}  // namespace vdmos
