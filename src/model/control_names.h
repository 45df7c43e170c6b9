#pragma once
// The name of every control that the commands, the window's binding and the command line
// reach by name. The code names a control through these constants only, so that a misspelt
// name fails to compile instead of throwing when the command runs. The texts are the window's
// own control names: the Qt widgets' objectNames, the keys of the JSON output and the names
// --set takes. They are character arrays so that they serve wherever a name is taken (a
// std::string_view, a std::string key, a const char* for Qt).

#include <string_view>

namespace vdmos::control {

/// A control name as functions take it.
using Name = std::string_view;

// The datasheet value set (the fields of model/fields.cpp), top row first.
inline constexpr char Text20[] = "Text20";  ///< model name
inline constexpr char Combo1[] = "Combo1";  ///< FET type
inline constexpr char Text6[] = "Text6";
inline constexpr char rdsonVgs[] = "rdsonVgs";
inline constexpr char Text3[] = "Text3";
inline constexpr char VthCurrent[] = "VthCurrent";  ///< the drain current of Vgs(th)
inline constexpr char Text2[] = "Text2";
inline constexpr char Vplat[] = "Vplat";
inline constexpr char Idplat[] = "Idplat";
inline constexpr char Text5[] = "Text5";
inline constexpr char Text4[] = "Text4";
inline constexpr char TextBoxVdsTest[] = "TextBoxVdsTest";
inline constexpr char vd1[] = "vd1";
inline constexpr char id1[] = "id1";
inline constexpr char vd2[] = "vd2";
inline constexpr char id2[] = "id2";
inline constexpr char vd3[] = "vd3";
inline constexpr char id3[] = "id3";
inline constexpr char VdsRange[] = "VdsRange";
inline constexpr char Text_LAMBDA[] = "Text_LAMBDA";
inline constexpr char Out_VGS[] = "Out_VGS";
inline constexpr char OUT_VDS1[] = "OUT_VDS1";
inline constexpr char OUT_VDS2[] = "OUT_VDS2";
inline constexpr char Text21[] = "Text21";
inline constexpr char Text10[] = "Text10";
inline constexpr char TextVdsMiddle[] = "TextVdsMiddle";
inline constexpr char Text7[] = "Text7";
inline constexpr char Text8[] = "Text8";
inline constexpr char Text9[] = "Text9";
inline constexpr char TextVdsMax[] = "TextVdsMax";
inline constexpr char TextCossMin[] = "TextCossMin";
inline constexpr char Text11[] = "Text11";
inline constexpr char Trr[] = "Trr";
inline constexpr char IdCharge[] = "IdCharge";
inline constexpr char VdCharge[] = "VdCharge";
inline constexpr char Qgs[] = "Qgs";  ///< the datasheet's gate charges, nC
inline constexpr char Qgd[] = "Qgd";
inline constexpr char Qg[] = "Qg";
inline constexpr char VgCharge[] = "VgCharge";  ///< the gate voltage at which Qg is given
inline constexpr char avalanche_volt[] = "avalanche_volt";
// The hot device: datasheet values at a junction temperature above 25 C.
inline constexpr char TjHot[] = "TjHot";              ///< the hot junction temperature, C
inline constexpr char RdsHotRatio[] = "RdsHotRatio";  ///< Rds(on) at TjHot over Rds(on) at 25 C
inline constexpr char Tj2[] = "Tj2";                  ///< a second temperature of the Rds(on) curve
inline constexpr char RdsRatio2[] = "RdsRatio2";      ///< Rds(on) at Tj2 over Rds(on) at 25 C
inline constexpr char VthHot[] = "VthHot";
inline constexpr char VsdHot[] = "VsdHot";
inline constexpr char IsdHot[] = "IsdHot";
inline constexpr char ZtcVgs[] = "ZtcVgs";  ///< where the 25 C and hot transfer curves cross
inline constexpr char BvHot[] = "BvHot";
inline constexpr char IdssHot[] = "IdssHot";

// Texts the commands write: labels, the card and subcircuit boxes, the library.
inline constexpr char OUT_ID1[] = "OUT_ID1";
inline constexpr char OUT_ID2[] = "OUT_ID2";
inline constexpr char Label_DcParam[] = "Label_DcParam";
inline constexpr char Label_Rds[] = "Label_Rds";
inline constexpr char DATA1[] = "DATA1";
inline constexpr char DATA2[] = "DATA2";
inline constexpr char StatusBar1[] = "StatusBar1";
inline constexpr char Ciss_on[] = "Ciss_on";
inline constexpr char Ciss_off[] = "Ciss_off";
inline constexpr char Label_ACparam[] = "Label_ACparam";
inline constexpr char Text19[] = "Text19";  ///< the model card box
inline constexpr char SubCktTextBox[] = "SubCktTextBox";
inline constexpr char FileName[] = "FileName";  ///< the library's file name
inline constexpr char LibTextBox[] = "LibTextBox";

// Check boxes and options.
inline constexpr char CheckDepMode[] = "CheckDepMode";
inline constexpr char ForceRdsOn[] = "ForceRdsOn";
inline constexpr char FixVTO[] = "FixVTO";
inline constexpr char ChargesFirst[] = "ChargesFirst";  ///< "Gate charges first", for Refine model
inline constexpr char LineBreak[] = "LineBreak";        ///< "Multiple Lines"
inline constexpr char OptionStandard[] = "OptionStandard";
inline constexpr char OptionSubCkt[] = "OptionSubCkt";

// Help pictures.
inline constexpr char Image1[] = "Image1";
inline constexpr char Image2[] = "Image2";
inline constexpr char Image3[] = "Image3";

// Buttons.
inline constexpr char Update_DC[] = "Update_DC";
inline constexpr char Update_AC[] = "Update_AC";
inline constexpr char Command2[] = "Command2";  ///< "Update model"
inline constexpr char Command1[] = "Command1";  ///< copies the card
inline constexpr char Button_Rgate[] = "Button_Rgate";
inline constexpr char VgsPlat_Help[] = "VgsPlat_Help";
inline constexpr char transf_help[] = "transf_help";
inline constexpr char CopyToClipBoardSubCkt[] = "CopyToClipBoardSubCkt";
inline constexpr char CopyToClipBoardNgspiceSubCkt[] = "CopyToClipBoardNgspiceSubCkt";
inline constexpr char HelpSubCkt[] = "HelpSubCkt";
inline constexpr char SaveModel[] = "SaveModel";
inline constexpr char OpenLib[] = "OpenLib";
inline constexpr char SaveLib[] = "SaveLib";
inline constexpr char Add[] = "Add";
inline constexpr char ApplyBestSwitches[] = "ApplyBestSwitches";
inline constexpr char SimulateNgspice[] = "SimulateNgspice";
inline constexpr char RefineModel[] = "RefineModel";

// Menu entries.
inline constexpr char New[] = "New";
inline constexpr char open[] = "open";
inline constexpr char save[] = "save";
inline constexpr char testcircuits[] = "testcircuits";
inline constexpr char ngspicecircuits[] = "ngspicecircuits";
inline constexpr char about[] = "about";
inline constexpr char CopyCheckTable[] = "CopyCheckTable";
inline constexpr char SaveCheckTable[] = "SaveCheckTable";

// The gate resistance window.
inline constexpr char OkButton[] = "OkButton";

}  // namespace vdmos::control
