#include "model/fields.h"

#include <array>

#include "model/control_names.h"
#include "model/fet_type.h"

namespace vdmos {
namespace {

using R = Reading;
constexpr std::optional<std::string_view> kUntouched = std::nullopt;

// The order follows the window: top row, DC page, AC page, then the model card page.
constexpr std::array kFields{
    FieldInfo{control::Text20, "20N60C3", "", R::Text},
    FieldInfo{control::Combo1, kNmosText, kNmosText, R::Text},
    FieldInfo{control::Text6, "160m", "", R::Engineering},
    FieldInfo{control::rdsonVgs, "10", "10", R::Engineering},
    FieldInfo{control::Text3, "3", "", R::Engineering},
    FieldInfo{control::Text2, "540m", "", R::Engineering},
    FieldInfo{control::Vplat, "5.5", "", R::Engineering},
    FieldInfo{control::Idplat, "20.7", "", R::Engineering},
    FieldInfo{control::Text5, "7.5", "", R::Engineering},
    FieldInfo{control::Text4, "70", "", R::Engineering},
    FieldInfo{control::TextBoxVdsTest, "50", kUntouched, R::Engineering},
    FieldInfo{control::vd1, "700m", "", R::Engineering},
    FieldInfo{control::id1, "400m", "", R::Engineering},
    FieldInfo{control::vd2, "800m", "", R::Engineering},
    FieldInfo{control::id2, "3", "", R::Engineering},
    FieldInfo{control::vd3, "1.2", "", R::Engineering},
    FieldInfo{control::id3, "45", "", R::Engineering},
    FieldInfo{control::VdsRange, "25", kUntouched, R::Text},
    FieldInfo{control::Text_LAMBDA, "1m", kUntouched, R::Engineering},
    FieldInfo{control::Out_VGS, "5.5", kUntouched, R::Engineering},
    FieldInfo{control::OUT_VDS1, "10", kUntouched, R::Engineering},
    FieldInfo{control::OUT_VDS2, "25", kUntouched, R::Engineering},
    FieldInfo{control::Text21, "13000", "", R::Plain},
    FieldInfo{control::Text10, "3400", "", R::Plain},
    FieldInfo{control::TextVdsMiddle, "25", "25", R::Engineering},
    FieldInfo{control::Text7, "2400", "", R::Plain},
    FieldInfo{control::Text8, "780", "", R::Plain},
    FieldInfo{control::Text9, "50", "", R::Plain},
    FieldInfo{control::TextVdsMax, "600", "", R::Engineering},
    FieldInfo{control::TextCossMin, "65", "", R::Plain},
    FieldInfo{control::Text11, "7", "", R::Plain},
    FieldInfo{control::Trr, "500", "", R::Plain},
    FieldInfo{control::IdCharge, "20.7", "", R::Text},
    FieldInfo{control::VdCharge, "480", "", R::Text},
    FieldInfo{control::Qgs, "11", "", R::Engineering},
    FieldInfo{control::Qgd, "33", "", R::Engineering},
    FieldInfo{control::Qg, "87", "", R::Engineering},
    FieldInfo{control::VgCharge, "10", "", R::Engineering},
    FieldInfo{control::avalanche_volt, "630", "", R::Plain},
};

}  // namespace

std::span<const FieldInfo> DatasheetFields() { return kFields; }

const FieldInfo* FindField(std::string_view control) {
  for (const FieldInfo& field : kFields)
    if (field.control == control) return &field;
  return nullptr;
}

}  // namespace vdmos
