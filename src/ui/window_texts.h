#pragma once
// Every caption and tool tip of the two windows. Each text is a constant that carries the
// objectName of its control, so a page builder names a control and its text in one word and a
// misspelt name fails to compile. The texts themselves are the window's own, spelling included.

#include <QString>
#include <string_view>

#include "model/control_names.h"
#include "ui/text_bridge.h"

namespace vdmos::ui {

inline constexpr const char* kMainWindowTitle = "Varnex - MOS Tool";
/// Marks the title while there is unsaved work.
inline constexpr const char* kModifiedMark = "*";
inline constexpr const char* kRgateWindowTitle = "Rgate from Ciss and td";
/// The title of message boxes that ask for the application's own title.
inline constexpr const char* kApplicationTitle = "vdmosgen";
/// The help of the program's --ngspice option, which means what the command-line tool's does.
inline constexpr const char* kNgspiceOptionHelp =
    "The ngspice program for \"Simulate in ngspice\" (default: ngspice from PATH)";

/// A text of the window and the objectName of the control that shows it (or, for a text that
/// no control of its own shows, a name for it).
struct WindowText {
  std::string_view name;
  std::string_view caption;
  std::string_view toolTip = {};
  /// For a menu, a menu entry or a page's button: the letter that runs it with Alt (in a menu,
  /// once it is open), unique within its menu or page and apart from the menus' own letters.
  char accessKey = 0;
};

/// A field with its caption before it and its unit after it.
/// A field with its caption before it and its unit after it. A datasheet field's unit label shows
/// the core field table's unit, the one home of it, since reading the field understands the unit
/// typed after the number; `unit` then only names the label (its caption is empty).
struct LabelledField {
  std::string_view field;
  WindowText caption;
  WindowText unit;
};

/// The caption of a control (label text, button or frame caption, menu entry, page title).
inline QString Caption(const WindowText& text) { return ToQString(text.caption); }
/// The caption of a menu, menu entry or button with its access key marked for Qt ("&File", so
/// that Alt+F opens it); the caption the user reads stays the one Caption() gives.
QString MenuCaption(const WindowText& text);
/// The tool tip of a control, empty for most.
inline QString ToolTip(const WindowText& text) { return ToQString(text.toolTip); }

// Fields are named after their control; Head_* are column heads.
namespace texts {

// Top row and pages.
inline constexpr WindowText Label40{"Label40", "Model name"};
inline constexpr WindowText Label41{"Label41", "FET type"};
inline constexpr WindowText CheckDepMode{control::CheckDepMode, ""};
inline constexpr WindowText Label8{"Label8", "Depletion mode (NMOS only!)"};
inline constexpr WindowText PageDc{"PageDc", "DC characteristics"};
inline constexpr WindowText PageAc{"PageAc", "AC characteristics"};
inline constexpr WindowText PageModel{"PageModel", "VDmos Model"};
inline constexpr WindowText PageLib{"PageLib", "Lib manager"};
inline constexpr WindowText PageCheck{"PageCheck", "Model check"};

// Menus.
inline constexpr WindowText file{"file", "File", {}, 'F'};
inline constexpr WindowText New{control::New, control::New, {}, 'N'};
inline constexpr WindowText open{control::open, "Open", {}, 'O'};
inline constexpr WindowText save{control::save, "Save", {}, 'S'};
inline constexpr WindowText testcircuits{control::testcircuits, "Save Test Circuits", {}, 'T'};
inline constexpr WindowText ngspicecircuits{control::ngspicecircuits, "Save ngspice Test Circuits", {}, 'g'};
inline constexpr WindowText recentFiles{"recentFiles", "Open Recent", {}, 'R'};
inline constexpr WindowText CopyCheckTable{control::CopyCheckTable, "Copy Check Table", {}, 'C'};
inline constexpr WindowText SaveCheckTable{control::SaveCheckTable, "Save Check Table as CSV...", {}, 'V'};
inline constexpr WindowText savePlots{"savePlots", "Save Plots as PNG and SVG...", {}, 'P'};
inline constexpr WindowText curves{"curves", "Datasheet Curves...", {}, 'D'};
inline constexpr WindowText quit{"quit", "Quit", {}, 'Q'};
inline constexpr WindowText help{"help", "Help", {}, 'H'};
inline constexpr WindowText about{control::about, "About", {}, 'A'};

// DC characteristics.
inline constexpr LabelledField Text6{control::Text6, {"Caption_Text6", "Rds_on"}, {"Unit_Text6", ""}};
inline constexpr LabelledField rdsonVgs{
    control::rdsonVgs, {"Caption_rdsonVgs", "@ Vgs="}, {"Unit_rdsonVgs", ""}};
inline constexpr LabelledField Text3{control::Text3, {"Caption_Text3", "Vgs(th)"}, {"Unit_Text3", ""}};
inline constexpr LabelledField VthCurrent{
    control::VthCurrent, {"Caption_VthCurrent", "@ Id="}, {"Unit_VthCurrent", ""}};
inline constexpr LabelledField Text2{control::Text2, {"Caption_Text2", "Rg"}, {"Unit_Text2", ""}};
inline constexpr WindowText Button_Rgate{control::Button_Rgate, "?",
                                         "Estimate Rg from the gate drive switching data"};
inline constexpr WindowText Frame2{"Frame2", "Transfer Characteristics"};
inline constexpr WindowText Head_Frame2_Vgs{"Head_Frame2_Vgs", "Vgs (V)"};
inline constexpr WindowText Head_Frame2_Id{"Head_Frame2_Id", "Id (A)"};
inline constexpr WindowText Vplat{control::Vplat, "", "Gate Plateau Voltage"};
inline constexpr WindowText Idplat{control::Idplat, "", "Gatecharge test current"};
inline constexpr WindowText Text5{control::Text5, "", "Vgs when ID is maximum"};
inline constexpr WindowText Text4{control::Text4, "", "Max Id from transfer Char."};
inline constexpr WindowText VgsPlat_Help{control::VgsPlat_Help, "?", "Where to read the plateau point"};
inline constexpr WindowText transf_help{control::transf_help, "?", "Where to read the maximum current point"};
inline constexpr LabelledField TextBoxVdsTest{
    control::TextBoxVdsTest, {"Caption_TextBoxVdsTest", "Vds Test"}, {"Unit_TextBoxVdsTest", ""}};
// The hot device: datasheet values at a junction temperature above 25 C.
inline constexpr WindowText FrameTemperature{"FrameTemperature", "Temperature"};
inline constexpr LabelledField TjHot{control::TjHot, {"Caption_TjHot", "Hot Tj"}, {"Unit_TjHot", ""}};
inline constexpr LabelledField RdsHotRatio{
    control::RdsHotRatio, {"Caption_RdsHotRatio", "Rds(on) hot / 25 C"}, {"Unit_RdsHotRatio", ""}};
inline constexpr LabelledField Tj2{control::Tj2, {"Caption_Tj2", "Second Tj"}, {"Unit_Tj2", ""}};
inline constexpr LabelledField RdsRatio2{
    control::RdsRatio2, {"Caption_RdsRatio2", "Rds(on) there / 25 C"}, {"Unit_RdsRatio2", ""}};
inline constexpr LabelledField VthHot{
    control::VthHot, {"Caption_VthHot", "Vgs(th) hot"}, {"Unit_VthHot", ""}};
inline constexpr LabelledField ZtcVgs{
    control::ZtcVgs, {"Caption_ZtcVgs", "Zero-TC Vgs"}, {"Unit_ZtcVgs", ""}};
inline constexpr LabelledField VsdHot{control::VsdHot, {"Caption_VsdHot", "Vsd hot"}, {"Unit_VsdHot", ""}};
inline constexpr LabelledField IsdHot{control::IsdHot, {"Caption_IsdHot", "at Isd"}, {"Unit_IsdHot", ""}};
inline constexpr LabelledField BvHot{control::BvHot, {"Caption_BvHot", "V(BR)DSS hot"}, {"Unit_BvHot", ""}};
inline constexpr LabelledField IdssHot{
    control::IdssHot, {"Caption_IdssHot", "IDSS hot"}, {"Unit_IdssHot", ""}};
inline constexpr WindowText Frame4{"Frame4", "Body Diode DC Forward"};
inline constexpr WindowText Head_Frame4_Vsd{"Head_Frame4_Vsd", "Vsd"};
inline constexpr WindowText Head_Frame4_Isd{"Head_Frame4_Isd", "Isd"};
inline constexpr WindowText Frame6{"Frame6", "Output Characteristics"};
inline constexpr LabelledField VdsRange{
    control::VdsRange, {"Caption_VdsRange", "Vds range"}, {"Unit_VdsRange", ""}};
inline constexpr WindowText Sim_Results{"Sim_Results", "Matching performance"};
inline constexpr WindowText ForceRdsOn{control::ForceRdsOn, "Force Rdson matching"};
inline constexpr WindowText FixVTO{control::FixVTO, "Don't change Vto"};
inline constexpr WindowText Caption_Text_LAMBDA{"Caption_Text_LAMBDA", "LAMBDA"};
inline constexpr WindowText Update_DC{control::Update_DC, "Update", {}, 'U'};
inline constexpr WindowText Head_Sim_Vgs{"Head_Sim_Vgs", "Vgs"};
inline constexpr WindowText Head_Sim_Vds{"Head_Sim_Vds", "Vds"};
inline constexpr WindowText Head_Sim_Ids{"Head_Sim_Ids", "Ids"};
inline constexpr WindowText Caption_Transfer{"Caption_Transfer", "Transfer:"};
// The units of the fit's results, beside texts whose own form is fixed.
inline constexpr WindowText Unit_Sim_Vgs{"Unit_Sim_Vgs", "V"};
inline constexpr WindowText Unit_Sim_Vds{"Unit_Sim_Vds", "V"};
inline constexpr WindowText Unit_Sim_Ids{"Unit_Sim_Ids", "A"};
inline constexpr WindowText Unit_Transfer{"Unit_Transfer", "Vgs in V, Id in A"};
inline constexpr WindowText Unit_Label_Rds{"Unit_Label_Rds", "Rdson in Ohm"};
inline constexpr WindowText Frame1{"Frame1", "MOSFET DC model parameters"};

// AC characteristics.
inline constexpr WindowText Frame3{"Frame3", "Typical Capacitance"};
inline constexpr WindowText Head_Frame3_Vds{"Head_Frame3_Vds", "Vds"};
inline constexpr WindowText Head_Frame3_Ciss{"Head_Frame3_Ciss", "Ciss"};
inline constexpr WindowText Head_Frame3_Coss{"Head_Frame3_Coss", "Coss"};
inline constexpr WindowText Head_Frame3_Crss{"Head_Frame3_Crss", "Crss"};
inline constexpr WindowText Unit_Frame3_Vds{"Unit_Frame3_Vds", "V"};
inline constexpr WindowText Unit_Frame3_Ciss{"Unit_Frame3_Ciss", "pF"};
inline constexpr WindowText Unit_Frame3_Coss{"Unit_Frame3_Coss", "pF"};
inline constexpr WindowText Unit_Frame3_Crss{"Unit_Frame3_Crss", "pF"};
inline constexpr WindowText Caption_ZeroVolt{"Caption_ZeroVolt", "0        V"};
inline constexpr WindowText Unit_TextVdsMiddle{"Unit_TextVdsMiddle", ""};
inline constexpr WindowText Unit_TextVdsMax{"Unit_TextVdsMax", ""};
inline constexpr WindowText Text21{control::Text21, "", "Coss is allways higher then Crss"};
inline constexpr WindowText Frame5{"Frame5", "Body Diode Reverse Recovery"};
inline constexpr LabelledField Trr{control::Trr, {"Caption_Trr", control::Trr}, {"Unit_Trr", ""}};
inline constexpr WindowText Frame7{"Frame7", "Gate Charge Characteristics test conditions"};
inline constexpr LabelledField IdCharge{control::IdCharge, {"Caption_IdCharge", "Id"}, {"Unit_IdCharge", ""}};
inline constexpr LabelledField VdCharge{control::VdCharge, {"Caption_VdCharge", "Vd"}, {"Unit_VdCharge", ""}};
inline constexpr LabelledField Qgs{control::Qgs, {"Caption_Qgs", "Qgs"}, {"Unit_Qgs", ""}};
inline constexpr LabelledField Qgd{control::Qgd, {"Caption_Qgd", "Qgd"}, {"Unit_Qgd", ""}};
inline constexpr LabelledField Qg{control::Qg, {"Caption_Qg", "Qg"}, {"Unit_Qg", ""}};
inline constexpr LabelledField VgCharge{
    control::VgCharge, {"Caption_VgCharge", "at Vgs"}, {"Unit_VgCharge", ""}};
inline constexpr WindowText Frame8{"Frame8", "AC Parameters"};
inline constexpr WindowText Update_AC{control::Update_AC, "Update", {}, 'U'};

// VDmos Model.
inline constexpr WindowText Label53{"Label53", "Standard VDmos model"};
inline constexpr WindowText Command2{control::Command2, "Update model", {}, 'U'};
inline constexpr WindowText Command1{control::Command1, "Copy to clipboard", {}, 'C'};
inline constexpr WindowText LineBreak{control::LineBreak, "Multiple Lines"};
inline constexpr LabelledField avalanche_volt{
    control::avalanche_volt, {"Caption_avalanche_volt", "Vds breakdown"}, {"Unit_avalanche_volt", ""}};
inline constexpr WindowText SaveModel{control::SaveModel, "Save Model", {}, 'S'};
inline constexpr WindowText CopyToClipBoardSubCkt{
    control::CopyToClipBoardSubCkt, "Copy subcircuit model to clipboard", {}, 'i'};
inline constexpr WindowText CopyToClipBoardNgspiceSubCkt{
    control::CopyToClipBoardNgspiceSubCkt, "Copy ngspice subcircuit to clipboard",
    "The subcircuit in the form ngspice reads: its breakdown diode with BV, IBV and RS", 'n'};
inline constexpr WindowText HelpSubCkt{control::HelpSubCkt, "Help", {}, 'e'};

// Lib manager.
inline constexpr WindowText Label43{"Label43", "Lib File:"};
inline constexpr WindowText OpenLib{control::OpenLib, "Open Library", {}, 'O'};
inline constexpr WindowText SaveLib{control::SaveLib, "Save Library", {}, 'S'};
inline constexpr WindowText Add{control::Add, "Add Model", {}, 'A'};
inline constexpr WindowText OptionStandard{control::OptionStandard, "Standard Model"};
inline constexpr WindowText OptionSubCkt{control::OptionSubCkt, "Subcircuit Model"};

// Model check.
inline constexpr WindowText RefineModel{
    control::RefineModel, "Refine model",
    "Adjust the card's parameters to the smallest worst error over every datasheet point; "
    "Update model gives back the fitted card",
    'R'};
inline constexpr WindowText ChargesFirst{
    control::ChargesFirst, "Gate charges first",
    "Where the gate charges and the capacitance points cannot all be met, Refine model meets the "
    "charges first and the capacitance points as closely as the charges allow",
    'G'};
inline constexpr WindowText SimulateNgspice{
    control::SimulateNgspice, "Simulate in ngspice",
    "Run the model card in ngspice on the four test benches and compare it with the datasheet", 'S'};
inline constexpr WindowText SimulationBusy{"SimulationBusy", "", "ngspice is running"};
inline constexpr WindowText Legend_Model{"Legend_Model", "model"};
inline constexpr WindowText Legend_Simulated{"Legend_Simulated", "ngspice"};
inline constexpr WindowText Legend_Datasheet{"Legend_Datasheet", "datasheet"};
inline constexpr WindowText Legend_ModelPoint{"Legend_ModelPoint", "model point"};
// The plots as the list that chooses one names them, each by its plot's control name.
inline constexpr WindowText PlotNames[] = {{"ChartTransfer", "Transfer characteristic"},
                                           {"ChartOutput", "Output characteristics"},
                                           {"ChartCapacitance", "Capacitances"},
                                           {"ChartBodyDiode", "Body diode forward characteristic"},
                                           {"ChartGateCharge", "Gate charge"},
                                           {"ChartRdsOnTemperature", "Rds(on) against junction temperature"}};
inline constexpr WindowText Caption_PlotChoice{"Caption_PlotChoice", "Plot"};
inline constexpr WindowText PlotChoice{"PlotChoice", "",
                                       "The plot shown: the model, ngspice and the datasheet"};
inline constexpr WindowText CheckSummary{
    "CheckTableCaption", "", "What the last check simulated and what the last refinement gained, in full"};
inline constexpr WindowText Head_Check_Quantity{"Head_Check_Quantity", "Quantity"};
inline constexpr WindowText Head_Check_Condition{"Head_Check_Condition", "Condition"};
inline constexpr WindowText Head_Check_Datasheet{"Head_Check_Datasheet", "Datasheet"};
inline constexpr WindowText Head_Check_Model{"Head_Check_Model", "Model"};
inline constexpr WindowText Head_Check_Simulated{"Head_Check_Simulated", "ngspice"};
inline constexpr WindowText Head_Check_Error{"Head_Check_Error", "Error %"};
inline constexpr WindowText Head_Check_Note{"Head_Check_Note", "Note"};
inline constexpr WindowText Head_Check_FittedSimulated{"Head_Check_FittedSimulated", "Fitted: ngspice"};
inline constexpr WindowText Head_Check_FittedError{"Head_Check_FittedError", "Fitted: error %"};
inline constexpr WindowText Head_Check_RefinedSimulated{"Head_Check_RefinedSimulated", "Refined: ngspice"};
inline constexpr WindowText Head_Check_RefinedError{"Head_Check_RefinedError", "Refined: error %"};
inline constexpr WindowText CheckCaption_None{"CheckCaption_None", "Not simulated yet."};
inline constexpr WindowText CheckCaption_Simulated{"CheckCaption_Simulated", "Simulated: %1"};
inline constexpr WindowText CheckCaption_Compared{"CheckCaption_Compared",
                                                  "Simulated: %1, the fitted card beside the refined one"};
inline constexpr WindowText CheckCaption_Earlier{
    "CheckCaption_Earlier", " (an earlier state of the model: simulate again to check the current one)"};
inline constexpr WindowText CheckCaption_Ignored{"CheckCaption_Ignored", " - ngspice warns: %1"};
// Which ngspice's TCVTH convention the card was checked in, for a card that carries TCVTH.
inline constexpr WindowText CheckCaption_Convention{"CheckCaption_Convention", " - %1"};
// Asked before unsaved work would be given up (closing, New, Open, Open Library).
inline constexpr WindowText UnsavedValues{
    "UnsavedValues", "The datasheet values have changed since they were last saved.\nSave them first?"};
inline constexpr WindowText UnsavedLibrary{
    "UnsavedLibrary", "The model library has changed since it was last saved.\nSave it first?"};
inline constexpr WindowText ApplyBestSwitches{
    control::ApplyBestSwitches, "Apply best switches",
    "Set the DC-fit switches to the best setting below and update the model", 'A'};
inline constexpr WindowText SwitchAdvice{
    "SwitchAdvice", "",
    "The card each setting of the DC-fit switches gives, measured at every datasheet point: "
    "its worst DC and capacitance errors"};

// The datasheet curves window: the figures' digitized points, one curve at a time.
inline constexpr WindowText ShowCurves{"ShowCurves", "Datasheet curves...",
                                       "The datasheet's digitized curves, drawn as its points in these plots",
                                       'c'};
inline constexpr const char* kCurvesWindowTitle = "Datasheet Curves";
inline constexpr WindowText Caption_CurveKind{"Caption_CurveKind", "Curve", {}, 'u'};
inline constexpr WindowText CurveChoice{"CurveChoice", "",
                                        "The datasheet figure whose points the table holds"};
inline constexpr WindowText Caption_CurveGate{"Caption_CurveGate", "VGS", {}, 'V'};
inline constexpr WindowText CurveGate{
    "CurveGate", "", "The gate voltage of the output curve, in V: one of those held, or a new one"};
inline constexpr WindowText Unit_CurveGate{"Unit_CurveGate", "V"};
inline constexpr WindowText CurveTable{
    "CurveTable", "",
    "The curve's points in the datasheet's units; edit a cell to change one "
    "(Ctrl+V pastes a curve, Delete removes the selected points)"};
inline constexpr WindowText CurvePoints{"CurvePoints", "%1 points"};
/// After a figure in the list that holds a curve (an output curve: one for a VGS at least).
inline constexpr WindowText CurveHeld{"CurveHeld", "(holds points)"};
inline constexpr WindowText CurveNone{"CurveNone", "No curve: import a file, paste one or add rows"};
inline constexpr WindowText CurveGateMissing{"CurveGateMissing", "Type the output curve's gate voltage"};
inline constexpr WindowText CurveImport{
    "CurveImport", "Import...", "Take the curve from a plot digitizer's file: two columns, x and y", 'I'};
inline constexpr WindowText CurvePaste{
    "CurvePaste", "Paste", "Take the curve from the clipboard's text, two columns as in a file", 'P'};
inline constexpr WindowText CurveAddRow{"CurveAddRow", "Add Row", "Add an empty point after the current one",
                                        'A'};
inline constexpr WindowText CurveRemoveRows{"CurveRemoveRows", "Remove Rows", "Remove the selected points",
                                            'R'};
inline constexpr WindowText CurveClear{"CurveClear", "Clear", "Drop the whole curve", 'l'};
inline constexpr WindowText CurveClose{"CurveClose", "Close", "Close this window (Escape)", 'o'};

// The gate resistance window.
inline constexpr WindowText Heading{"Heading", "Estimation of internal gate resistance"};
inline constexpr LabelledField Text_VGG{
    "Text_VGG", {"Caption_Text_VGG", "Driver gate voltage"}, {"Unit_Text_VGG", "V"}};
inline constexpr LabelledField Text_Rout{
    "Text_Rout", {"Caption_Text_Rout", "Gate driver output resistance"}, {"Unit_Text_Rout", "Ohm"}};
inline constexpr LabelledField Text_VGSP{
    "Text_VGSP", {"Caption_Text_VGSP", "Gate source Plateau voltage"}, {"Unit_Text_VGSP", "V"}};
inline constexpr LabelledField Text_Qgs{"Text_Qgs", {"Caption_Text_Qgs", "Qgs"}, {"Unit_Text_Qgs", "nC"}};
inline constexpr LabelledField Text_Qgd{"Text_Qgd", {"Caption_Text_Qgd", "Qgd"}, {"Unit_Text_Qgd", "nC"}};
inline constexpr LabelledField Text_Td_On{
    "Text_Td_On", {"Caption_Text_Td_On", "Turn on delay"}, {"Unit_Text_Td_On", "ns"}};
inline constexpr WindowText OkButton{control::OkButton, "OK"};

// The model check's exports of a single plot, in its context menu.
inline constexpr WindowText savePlotPng{"savePlotPng", "Save Plot as PNG..."};
inline constexpr WindowText savePlotSvg{"savePlotSvg", "Save Plot as SVG..."};
/// A recent values file that is gone when chosen; %1 is its path.
inline constexpr WindowText RecentFileMissing{
    "RecentFileMissing", "The file no longer exists:\r\n%1\r\nIt was removed from the recent files."};

}  // namespace texts
}  // namespace vdmos::ui
