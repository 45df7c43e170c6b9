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
    FieldInfo{control::Text20, "model_name", "20N60C3", "", R::Text, "", "model name", kOptional,
              "name the card gives the model"},
    FieldInfo{control::Combo1, "fet_type", kNmosText, kNmosText, R::Text, "", "FET type", kOptional,
              "channel type, NMOS or PMOS"},
    FieldInfo{control::Text6, "rds_on", "160m", "", R::Engineering, "Ohm", "Rds(on)", kNeeded,
              "static drain-source on-resistance at the Vgs given beside it"},
    FieldInfo{control::rdsonVgs, "rds_on_vgs", "10", "10", R::Engineering, "V", "Vgs of Rds(on)", kNeeded,
              "gate-source voltage at which Rds(on) is given"},
    FieldInfo{control::Text3, "vgs_th", "3", "", R::Engineering, "V", "Vgs(th)", kNeeded,
              "gate threshold voltage"},
    FieldInfo{control::VthCurrent, "vth_current", "250u", "250u", R::Engineering, "A", "Vgs(th) test current",
              kOptional, "drain current at which Vgs(th) is given, with the drain tied to the gate"},
    FieldInfo{control::Text2, "rg", "540m", "", R::Engineering, "Ohm", "Rg", kOptional,
              "internal gate resistance"},
    FieldInfo{control::Vplat, "vgs_plateau", "5.5", "", R::Engineering, "V", "plateau Vgs", kNeeded,
              "gate-source voltage of the plateau of the gate charge curve"},
    FieldInfo{control::Idplat, "id_plateau", "20.7", "", R::Engineering, "A", "plateau Id", kNeeded,
              "drain current at which the plateau voltage is given"},
    FieldInfo{control::Text5, "transfer_vgs", "7.5", "", R::Engineering, "V", "Vgs at the largest Id",
              kNeeded, "gate-source voltage of the largest drain current of the transfer curve"},
    FieldInfo{control::Text4, "transfer_id", "70", "", R::Engineering, "A", "largest Id", kNeeded,
              "largest drain current of the transfer curve"},
    FieldInfo{control::TextBoxVdsTest, "transfer_vds", "50", kUntouched, R::Engineering, "V",
              "Vds of the transfer curve", kNeeded,
              "drain-source voltage at which the transfer curve is measured"},
    FieldInfo{control::vd1, "vsd1", "700m", "", R::Engineering, "V", "Vsd of diode point 1", kOptional,
              "body diode forward voltage of diode point 1"},
    FieldInfo{control::id1, "isd1", "400m", "", R::Engineering, "A", "Isd of diode point 1", kOptional,
              "body diode forward current of diode point 1"},
    FieldInfo{control::vd2, "vsd2", "800m", "", R::Engineering, "V", "Vsd of diode point 2", kOptional,
              "body diode forward voltage of diode point 2"},
    FieldInfo{control::id2, "isd2", "3", "", R::Engineering, "A", "Isd of diode point 2", kOptional,
              "body diode forward current of diode point 2"},
    FieldInfo{control::vd3, "vsd3", "1.2", "", R::Engineering, "V", "Vsd of diode point 3", kOptional,
              "body diode forward voltage of diode point 3"},
    FieldInfo{control::id3, "isd3", "45", "", R::Engineering, "A", "Isd of diode point 3", kOptional,
              "body diode forward current of diode point 3"},
    FieldInfo{control::VdsRange, "vds_range", "25", kUntouched, R::Text, "V", "Vds range", kOptional,
              "highest drain-source voltage of the output characteristic sweeps"},
    FieldInfo{control::Text_LAMBDA, "lambda", "1m", kUntouched, R::Engineering, "", "LAMBDA", kOptional,
              "channel-length modulation of the model"},
    FieldInfo{control::Out_VGS, "check_vgs", "5.5", kUntouched, R::Engineering, "V",
              "Vgs of the output check", kNeeded,
              "gate-source voltage at which the model's drain current is checked"},
    FieldInfo{control::OUT_VDS1, "check_vds1", "10", kUntouched, R::Engineering, "V", "Vds of output check 1",
              kNeeded, "first drain-source voltage of the drain current check"},
    FieldInfo{control::OUT_VDS2, "check_vds2", "25", kUntouched, R::Engineering, "V", "Vds of output check 2",
              kNeeded, "second drain-source voltage of the drain current check"},
    FieldInfo{control::Text21, "coss_0v", "13000", "", R::Plain, "pF", "Coss at 0 V", kNeeded,
              "output capacitance at Vds = 0 V"},
    FieldInfo{control::Text10, "crss_0v", "3400", "", R::Plain, "pF", "Crss at 0 V", kNeeded,
              "reverse transfer capacitance at Vds = 0 V"},
    FieldInfo{control::TextVdsMiddle, "vds_mid", "25", "25", R::Engineering, "V", "middle Vds", kNeeded,
              "middle drain-source voltage of the capacitance curves"},
    FieldInfo{control::Text7, "ciss_mid", "2400", "", R::Plain, "pF", "Ciss at the middle Vds", kNeeded,
              "input capacitance at the middle Vds"},
    FieldInfo{control::Text8, "coss_mid", "780", "", R::Plain, "pF", "Coss at the middle Vds", kNeeded,
              "output capacitance at the middle Vds"},
    FieldInfo{control::Text9, "crss_mid", "50", "", R::Plain, "pF", "Crss at the middle Vds", kNeeded,
              "reverse transfer capacitance at the middle Vds"},
    FieldInfo{control::TextVdsMax, "vds_high", "600", "", R::Engineering, "V", "highest Vds", kNeeded,
              "highest drain-source voltage of the capacitance curves"},
    FieldInfo{control::TextCossMin, "coss_high", "65", "", R::Plain, "pF", "Coss at the highest Vds", kNeeded,
              "output capacitance at the highest Vds"},
    FieldInfo{control::Text11, "crss_high", "7", "", R::Plain, "pF", "Crss at the highest Vds", kNeeded,
              "reverse transfer capacitance at the highest Vds"},
    FieldInfo{control::Trr, "trr", "500", "", R::Plain, "ns", "Trr", kOptional,
              "body diode reverse recovery time"},
    FieldInfo{control::IdCharge, "qg_id", "20.7", "", R::Text, "A", "Id of the gate charge", kOptional,
              "drain current of the gate charge test"},
    FieldInfo{control::VdCharge, "qg_vds", "480", "", R::Text, "V", "Vd of the gate charge", kOptional,
              "drain-source voltage of the gate charge test"},
    FieldInfo{control::Qgs, "qgs", "11", "", R::Engineering, "nC", "Qgs", kOptional, "gate-source charge"},
    FieldInfo{control::Qgd, "qgd", "33", "", R::Engineering, "nC", "Qgd", kOptional, "gate-drain charge"},
    FieldInfo{control::Qg, "qg", "87", "", R::Engineering, "nC", "Qg", kOptional,
              "total gate charge at the Vgs given beside it"},
    FieldInfo{control::VgCharge, "qg_vgs", "10", "", R::Engineering, "V", "Vgs of Qg", kOptional,
              "gate-source voltage at which Qg is given"},
    FieldInfo{control::avalanche_volt, "breakdown_voltage", "630", "", R::Plain, "V", "Vds breakdown",
              kOptional, "drain-source breakdown voltage"},
    FieldInfo{control::TjHot, "tj_hot", "", "", R::Engineering, "C", "hot Tj", kOptional,
              "junction temperature of the hot datasheet values, 50 C to 200 C"},
    FieldInfo{control::RdsHotRatio, "rds_on_ratio_hot", "", "", R::Engineering, "", "Rds(on) ratio at hot Tj",
              kOptional, "Rds(on) at the hot Tj over Rds(on) at 25 C, same Vgs and current"},
    FieldInfo{control::Tj2, "tj2", "", "", R::Engineering, "C", "second Tj", kOptional,
              "junction temperature of a second point of the normalised Rds(on) curve"},
    FieldInfo{control::RdsRatio2, "rds_on_ratio2", "", "", R::Engineering, "", "Rds(on) ratio at second Tj",
              kOptional, "Rds(on) at the second Tj over Rds(on) at 25 C"},
    FieldInfo{control::VthHot, "vgs_th_hot", "", "", R::Engineering, "V", "Vgs(th) at hot Tj", kOptional,
              "gate threshold voltage at the hot Tj, at the threshold test current"},
    FieldInfo{control::VsdHot, "vsd_hot", "", "", R::Engineering, "V", "Vsd at hot Tj", kOptional,
              "body diode forward voltage at the hot Tj"},
    FieldInfo{control::IsdHot, "isd_hot", "", "", R::Engineering, "A", "Isd at hot Tj", kOptional,
              "body diode forward current of the hot Vsd"},
    FieldInfo{control::ZtcVgs, "ztc_vgs", "", "", R::Engineering, "V", "zero-TC Vgs", kOptional,
              "gate voltage where the 25 C and hot transfer curves cross"},
    FieldInfo{control::BvHot, "breakdown_voltage_hot", "", "", R::Engineering, "V", "Vds breakdown at hot Tj",
              kOptional, "drain-source breakdown voltage at the hot Tj"},
    FieldInfo{control::IdssHot, "idss_hot", "", "", R::Engineering, "A", "IDSS at hot Tj", kOptional,
              "drain leakage at the rated voltage and the hot Tj, checked only"},
};

}  // namespace

std::span<const FieldInfo> DatasheetFields() { return kFields; }

const FieldInfo* FindField(std::string_view control) {
  for (const FieldInfo& field : kFields)
    if (field.control == control) return &field;
  return nullptr;
}

}  // namespace vdmos
