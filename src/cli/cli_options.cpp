#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <map>
#include <ostream>
#include <string>

#include "cli/cli_texts.h"
#include "model/control_names.h"
#include "model/datasheet_curves.h"
#include "version.h"

namespace vdmos::cli {
namespace {

// --run's names of the controls whose commands it starts (the line break's without a click).
const std::map<std::string, control::Name> kCommandNames{
    {"update-model", control::Command2}, {"update-dc", control::Update_DC},
    {"update-ac", control::Update_AC},   {"new", control::New},
    {"line-break", control::LineBreak},
};

std::string CurveHelp() {
  std::string help(kCurveHelpOpening);
  for (const CurveKindInfo& kind : CurveKinds()) {
    help.append("\n  ")
        .append(kind.name)
        .append(": ")
        .append(kind.xName)
        .append(" (")
        .append(kind.xUnit)
        .append("), ")
        .append(kind.yAxis);
    help.append(", ").append(kind.meaning);
  }
  return help;
}

ParseOutcome UsageError(const std::string& problem, const CLI::App& app, std::ostream& err) {
  err << kProgramName << ": " << problem << "\n\n" << app.help();
  return {std::nullopt, kUsageErrorStatus};
}

}  // namespace

ParseOutcome ParseCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{std::string(kDescription), std::string(kProgramName)};
  app.footer(std::string(kFooter));
  app.set_version_flag("--version", std::string(kProgramName) + " " + kVersion, std::string(kVersionHelp));

  CliOptions options;
  std::vector<std::string> settings;
  std::vector<std::string> commandNames;
  std::vector<std::string> curves;
  bool subckt = false;
  bool ngspiceSubckt = false;
  bool json = false;
  bool listFields = false;
  app.add_option("FILE", options.files, std::string(kFilesHelp))->type_name("");
  // One value per occurrence, so that later positional arguments are never taken as values: a
  // vector option takes every following argument unless told otherwise, and a values file named
  // after --set was read as another setting (or, holding "=", silently set a field).
  app.add_option("--set", settings, std::string(kSetHelp))
      ->type_name("CONTROL=TEXT")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--curve", curves, CurveHelp())
      ->type_name(std::string(kCurveOptionName))
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_flag("--list-fields", listFields, std::string(kListFieldsHelp));
  app.add_option("--run", commandNames, std::string(kRunHelp))
      ->type_name("COMMAND")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->check(CLI::IsMember(kCommandNames));
  CLI::Option* subcktFlag = app.add_flag("--subckt", subckt, std::string(kSubCktHelp));
  CLI::Option* ngspiceSubcktFlag =
      app.add_flag("--subckt-ngspice", ngspiceSubckt, std::string(kNgspiceSubCktHelp))->excludes(subcktFlag);
  app.add_flag("--json", json, std::string(kJsonHelp))->excludes(subcktFlag)->excludes(ngspiceSubcktFlag);
  app.add_option("--library", options.library, std::string(kLibraryHelp))->type_name("FILE");
  CLI::Option* saveModel =
      app.add_option("--save-model", options.saveModel, std::string(kSaveModelHelp))->type_name("FILE");
  CLI::Option* saveDatasheet =
      app.add_option("--save-datasheet", options.saveDatasheet, std::string(kSaveDatasheetHelp))
          ->type_name("FILE");
  app.add_option("--test-circuits", options.testCircuits, std::string(kTestCircuitsHelp))->type_name("DIR");
  app.add_option("--ngspice-circuits", options.ngspiceCircuits, std::string(kNgspiceCircuitsHelp))
      ->type_name("DIR");
  CLI::Option* verify = app.add_flag("--verify", options.verify, std::string(kVerifyHelp));
  app.add_flag("--apply-best-switches", options.applyBestSwitches, std::string(kApplyBestSwitchesHelp));
  app.add_flag("--refine", options.refine, std::string(kRefineHelp));
  app.add_flag("--strict", options.strict, std::string(kStrictHelp));
  app.add_option("--ngspice", options.ngspice, std::string(kNgspiceHelp))->type_name("PATH")->needs(verify);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return {std::nullopt, app.exit(e, out, err)};
  } catch (const CLI::CallForVersion& e) {
    return {std::nullopt, app.exit(e, out, err)};
  } catch (const CLI::ParseError& e) {
    return UsageError(e.what(), app, err);
  }

  if (listFields) {
    out << FieldList();
    return {std::nullopt, kSuccessStatus};
  }
  // One file of each is written per run: several models into one such file would keep only
  // the last, which is never what a batch wants.
  if (options.files.size() > 1) {
    for (const CLI::Option* single : {saveModel, saveDatasheet})
      if (single->count() > 0) return UsageError(OneFileOnlyText(single->get_name()), app, err);
  }
  for (const std::string& argument : settings) {
    std::optional<ControlSetting> setting = SplitSetting(argument);
    if (!setting) return UsageError(MissingEqualsText(argument), app, err);
    if (std::optional<std::string> problem = SettingProblem(*setting)) return UsageError(*problem, app, err);
    options.settings.push_back(std::move(*setting));
  }
  for (const std::string& argument : curves) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) return UsageError(CurveMissingEqualsText(argument), app, err);
    if (!ReadCurveName(argument.substr(0, equals)))
      return UsageError(std::string(kUnknownCurveKindText) + argument.substr(0, equals), app, err);
    options.curves.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
  }
  for (const std::string& name : commandNames) options.commands.push_back(kCommandNames.at(name));
  if (options.commands.empty()) options.commands.push_back(control::Command2);
  options.output = json            ? OutputForm::Json
                   : subckt        ? OutputForm::SubCkt
                   : ngspiceSubckt ? OutputForm::NgspiceSubCkt
                                   : OutputForm::Card;
  return {std::move(options), kSuccessStatus};
}

}  // namespace vdmos::cli
