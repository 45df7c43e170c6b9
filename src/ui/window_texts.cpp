#include "ui/window_texts.h"

#include <array>
#include <stdexcept>
#include <string>
#include <utility>

#include "model/control_names.h"
#include "ui/text_bridge.h"

namespace vdmos::ui {
namespace {

struct ControlText {
  std::string_view name;
  std::string_view caption;
  std::string_view toolTip = {};
};

// Controls named Caption_<field> are the labels before a field (a datasheet field's unit is the
// core field table's; Unit_<field> here is for the gate resistance window); Head_* are
// column heads. The other names are the window's own control names.
constexpr std::array kTexts = std::to_array<ControlText>({
    // Top row and pages.
    {"Label40", "Model name"},
    {"Label41", "FET type"},
    {control::CheckDepMode, ""},
    {"Label8", "Depletion mode (NMOS only!)"},
    {"PageDc", "DC characteristics"},
    {"PageAc", "AC characteristics"},
    {"PageModel", "VDmos Model"},
    {"PageLib", "Lib manager"},
    {"PageCheck", "Model check"},
    // Menus.
    {"file", "File"},
    {control::New, control::New},
    {control::open, "Open"},
    {control::save, "Save"},
    {control::testcircuits, "Save Test Circuits"},
    {control::ngspicecircuits, "Save ngspice Test Circuits"},
    {"quit", "Quit"},
    {"help", "Help"},
    {control::about, "About"},
    // DC characteristics.
    {"Caption_Text6", "Rds_on"},
    {"Caption_rdsonVgs", "@ Vgs="},
    {"Caption_Text3", "Vgs(th)"},
    {"Caption_Text2", "Rg"},
    {control::Button_Rgate, "?", "Estimate Rg from the gate drive switching data"},
    {"Frame2", "Transfer Characteristics"},
    {"Head_Frame2_Vgs", "Vgs (V)"},
    {"Head_Frame2_Id", "Id (A)"},
    {control::Vplat, "", "Gate Plateau Voltage"},
    {control::Idplat, "", "Gatecharge test current"},
    {control::Text5, "", "Vgs when ID is maximum"},
    {control::Text4, "", "Max Id from transfer Char."},
    {control::VgsPlat_Help, "?", "Where to read the plateau point"},
    {control::transf_help, "?", "Where to read the maximum current point"},
    {"Caption_TextBoxVdsTest", "Vds Test"},
    {"Frame4", "Body Diode DC Forward"},
    {"Head_Frame4_Vsd", "Vsd"},
    {"Head_Frame4_Isd", "Isd"},
    {"Frame6", "Output Characteristics"},
    {"Caption_VdsRange", "Vds range"},
    {"Sim_Results", "Matching performance"},
    {control::ForceRdsOn, "Force Rdson matching"},
    {control::FixVTO, "Don't change Vto"},
    {"Caption_Text_LAMBDA", "LAMBDA"},
    {control::Update_DC, "Update"},
    {"Head_Sim_Vgs", "Vgs"},
    {"Head_Sim_Vds", "Vds"},
    {"Head_Sim_Ids", "Ids"},
    {"Caption_Transfer", "Transfer:"},
    {"Frame1", "MOSFET DC model parameters"},
    // AC characteristics.
    {"Frame3", "Typical Capacitance"},
    {"Head_Frame3_Vds", "Vds"},
    {"Head_Frame3_Ciss", "Ciss"},
    {"Head_Frame3_Coss", "Coss"},
    {"Head_Frame3_Crss", "Crss"},
    {"Unit_Frame3_Vds", "V"},
    {"Unit_Frame3_Ciss", "pF"},
    {"Unit_Frame3_Coss", "pF"},
    {"Unit_Frame3_Crss", "pF"},
    {"Caption_ZeroVolt", "0        V"},
    {control::Text21, "", "Coss is allways higher then Crss"},
    {"Frame5", "Body Diode Reverse Recovery"},
    {"Caption_Trr", control::Trr},
    {"Frame7", "Gate Charge Characteristics test conditions"},
    {"Caption_IdCharge", "Id"},
    {"Caption_VdCharge", "Vd"},
    {"Caption_Qgs", "Qgs"},
    {"Caption_Qgd", "Qgd"},
    {"Caption_Qg", "Qg"},
    {"Caption_VgCharge", "at Vgs"},
    {"Frame8", "AC Parameters"},
    {control::Update_AC, "Update"},
    // VDmos Model.
    {"Label53", "Standard VDmos model"},
    {control::Command2, "Update model"},
    {control::Command1, "Copy to clipboard"},
    {control::LineBreak, "Multiple Lines"},
    {"Caption_avalanche_volt", "Vds breakdown"},
    {control::SaveModel, "Save Model"},
    {control::CopyToClipBoardSubCkt, "Copy subcircuit model to clipboard"},
    {control::CopyToClipBoardNgspiceSubCkt, "Copy ngspice subcircuit to clipboard",
     "The subcircuit in the form ngspice reads: its breakdown diode with BV, IBV and RS"},
    {control::HelpSubCkt, "Help"},
    // Lib manager.
    {"Label43", "Lib File:"},
    {control::OpenLib, "Open Library"},
    {control::SaveLib, "Save Library"},
    {control::Add, "Add Model"},
    {control::OptionStandard, "Standard Model"},
    {control::OptionSubCkt, "Subcircuit Model"},
    // Model check.
    {control::RefineModel, "Refine model",
     "Adjust the card's parameters to the smallest worst error over every datasheet point; "
     "Update model gives back the fitted card"},
    {control::ChargesFirst, "Gate charges first",
     "Where the gate charges and the capacitance points cannot all be met, Refine model meets the "
     "charges first and the capacitance points as closely as the charges allow"},
    {control::SimulateNgspice, "Simulate in ngspice",
     "Run the model card in ngspice on the four test benches and compare it with the datasheet"},
    {"SimulationBusy", "", "ngspice is running"},
    {"Legend_Model", "model"},
    {"Legend_Simulated", "ngspice"},
    {"Legend_Datasheet", "datasheet"},
    {"Head_Check_Quantity", "Quantity"},
    {"Head_Check_Condition", "Condition"},
    {"Head_Check_Datasheet", "Datasheet"},
    {"Head_Check_Model", "Model"},
    {"Head_Check_Simulated", "ngspice"},
    {"Head_Check_Error", "Error %"},
    {"Head_Check_Note", "Note"},
    {"Head_Check_FittedSimulated", "Fitted: ngspice"},
    {"Head_Check_FittedError", "Fitted: error %"},
    {"Head_Check_RefinedSimulated", "Refined: ngspice"},
    {"Head_Check_RefinedError", "Refined: error %"},
    {"Note_Fitted", "Fitted: %1"},
    {"Note_Refined", "Refined: %1"},
    {"CheckCaption_None", "Not simulated yet."},
    {"CheckCaption_Simulated", "Simulated: %1"},
    {"CheckCaption_Compared", "Simulated: %1, the fitted card beside the refined one"},
    {"CheckCaption_Earlier", " (an earlier state of the model: simulate again to check the current one)"},
    {"CheckCaption_Ignored", " - ngspice warns: %1"},
    {control::ApplyBestSwitches, "Apply best switches",
     "Set the DC-fit switches to the best setting below and update the model"},
    {"SwitchAdvice", "",
     "The card each setting of the DC-fit switches gives, measured at every datasheet point: "
     "its worst DC and capacitance errors"},
    // The gate resistance window.
    {"Heading", "Estimation of internal gate resistance"},
    {"Caption_Text_VGG", "Driver gate voltage"},
    {"Unit_Text_VGG", "V"},
    {"Caption_Text_Rout", "Gate driver output resistance"},
    {"Unit_Text_Rout", "Ohm"},
    {"Caption_Text_VGSP", "Gate source Plateau voltage"},
    {"Unit_Text_VGSP", "V"},
    {"Caption_Text_Qgs", "Qgs"},
    {"Unit_Text_Qgs", "nC"},
    {"Caption_Text_Qgd", "Qgd"},
    {"Unit_Text_Qgd", "nC"},
    {"Caption_Text_Td_On", "Turn on delay"},
    {"Unit_Text_Td_On", "ns"},
    {control::OkButton, "OK"},
});

// The access key of each menu and menu entry: the first occurrence of the letter in its caption.
// Unique within the menu bar and within each menu.
constexpr std::pair<std::string_view, char> kAccessKeys[] = {
    {"file", 'F'},
    {control::New, 'N'},
    {control::open, 'O'},
    {control::save, 'S'},
    {control::testcircuits, 'T'},
    {control::ngspicecircuits, 'g'},
    {"quit", 'Q'},
    {"help", 'H'},
    {control::about, 'A'},
};

const ControlText* Find(std::string_view name) {
  for (const ControlText& text : kTexts)
    if (text.name == name) return &text;
  return nullptr;
}

}  // namespace

QString Caption(std::string_view name) {
  const ControlText* text = Find(name);
  if (!text) throw std::out_of_range("no caption for control " + std::string(name));
  return ToQString(text->caption);
}

QString MenuCaption(std::string_view name) {
  QString caption = Caption(name);
  for (const auto& [menuName, key] : kAccessKeys) {
    if (menuName != name) continue;
    const qsizetype at = caption.indexOf(QLatin1Char(key));
    if (at < 0) throw std::logic_error("the access key is not in the caption of " + std::string(name));
    return caption.insert(at, QLatin1Char('&'));
  }
  return caption;
}

QString ToolTip(std::string_view name) {
  const ControlText* text = Find(name);
  return text ? ToQString(text->toolTip) : QString();
}

}  // namespace vdmos::ui
