#include "model/fields.h"

#include <array>

namespace vdmos {
namespace {

using R = Reading;
constexpr std::optional<std::string_view> kUntouched = std::nullopt;

// The order follows the window: top row, DC page, AC page, then the model card page.
constexpr std::array kFields{
    FieldInfo{"Text20", "Model name", "", "20N60C3", "", R::Text},
    FieldInfo{"Combo1", "FET type", "", "NMOS", "NMOS", R::Text},
    FieldInfo{"Text6", "Rds_on", "Ohm", "160m", "", R::Engineering},
    FieldInfo{"rdsonVgs", "@ Vgs=", "V", "10", "10", R::Engineering},
    FieldInfo{"Text3", "Vgs(th)", "V", "3", "", R::Engineering},
    FieldInfo{"Text2", "Rg", "Ohm", "540m", "", R::Engineering},
    FieldInfo{"Vplat", "Gate Plateau Voltage", "V", "5.5", "", R::Engineering},
    FieldInfo{"Idplat", "Gatecharge test current", "A", "20.7", "", R::Engineering},
    FieldInfo{"Text5", "Vgs when ID is maximum", "V", "7.5", "", R::Engineering},
    FieldInfo{"Text4", "Max Id from transfer Char.", "A", "70", "", R::Engineering},
    FieldInfo{"TextBoxVdsTest", "Vds Test", "V", "50", kUntouched, R::Engineering},
    FieldInfo{"vd1", "Vsd", "V", "700m", "", R::Engineering},
    FieldInfo{"id1", "Isd", "A", "400m", "", R::Engineering},
    FieldInfo{"vd2", "Vsd", "V", "800m", "", R::Engineering},
    FieldInfo{"id2", "Isd", "A", "3", "", R::Engineering},
    FieldInfo{"vd3", "Vsd", "V", "1.2", "", R::Engineering},
    FieldInfo{"id3", "Isd", "A", "45", "", R::Engineering},
    FieldInfo{"VdsRange", "Vds range", "V", "25", kUntouched, R::Text},
    FieldInfo{"Text_LAMBDA", "LAMBDA", "1/V", "1m", kUntouched, R::Engineering},
    FieldInfo{"Out_VGS", "Vgs", "V", "5.5", kUntouched, R::Engineering},
    FieldInfo{"OUT_VDS1", "Vds", "V", "10", kUntouched, R::Engineering},
    FieldInfo{"OUT_VDS2", "Vds", "V", "25", kUntouched, R::Engineering},
    FieldInfo{"Text21", "Coss is allways higher then Crss", "pF", "13000", "", R::Plain},
    FieldInfo{"Text10", "Crss", "pF", "3400", "", R::Plain},
    FieldInfo{"TextVdsMiddle", "Vds", "V", "25", "25", R::Engineering},
    FieldInfo{"Text7", "Ciss", "pF", "2400", "", R::Plain},
    FieldInfo{"Text8", "Coss", "pF", "780", "", R::Plain},
    FieldInfo{"Text9", "Crss", "pF", "50", "", R::Plain},
    FieldInfo{"TextVdsMax", "Vds", "V", "600", "", R::Engineering},
    FieldInfo{"TextCossMin", "Coss", "pF", "65", "", R::Plain},
    FieldInfo{"Text11", "Crss", "pF", "7", "", R::Plain},
    FieldInfo{"Trr", "Trr", "ns", "500", "", R::Plain},
    FieldInfo{"IdCharge", "Id", "A", "20.7", "", R::Text},
    FieldInfo{"VdCharge", "Vd", "V", "480", "", R::Text},
    FieldInfo{"avalanche_volt", "Vds breakdown", "V", "630", "", R::Plain},
};

}  // namespace

std::span<const FieldInfo> DatasheetFields() { return kFields; }

const FieldInfo* FindField(std::string_view control) {
  for (const FieldInfo& field : kFields)
    if (field.control == control) return &field;
  return nullptr;
}

}  // namespace vdmos
