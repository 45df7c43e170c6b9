// Hostile field texts against every text the tool writes. Whatever is typed, a simulator must
// read only lines the tool itself writes: every line of the card, the subcircuits, the netlists
// and the schematics opens as some line of the same output does for the start values, and a
// typed text holding a line break never reaches an output, where it would make lines of its
// own. The values file keeps one line per field. Each output is checked only where the tool
// would write it, after the same refusals its command makes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/control_table.h"
#include "commands/model_update.h"
#include "files/datasheet_file.h"
#include "model/card_reading.h"
#include "model/checked_math.h"
#include "model/control_names.h"
#include "model/fields.h"
#include "model/model_card.h"
#include "model/model_failure.h"
#include "model/subcircuit.h"
#include "model/window_state.h"
#include "platform/scripted_platform.h"
#include "testcircuits/circuit_file_path.h"
#include "testcircuits/circuit_inputs.h"
#include "testcircuits/circuit_texts.h"
#include "verify/bench_setup.h"
#include "verify/ngspice_netlists.h"

namespace {

using vdmos::WindowState;

/// The fields whose texts reach an output as typed come first, so that short inputs reach
/// them; the rest of the datasheet fields follow, as numbers read from them reach the outputs.
std::vector<std::string_view> FuzzedFields() {
  namespace c = vdmos::control;
  std::vector<std::string_view> fields{c::Text20,         c::Text_LAMBDA, c::rdsonVgs, c::TextBoxVdsTest,
                                       c::VdsRange,       c::IdCharge,    c::VdCharge, c::Combo1,
                                       c::VgCharge,       c::Qgs,         c::Qgd,      c::Qg,
                                       c::avalanche_volt, c::Out_VGS,     c::OUT_VDS1, c::OUT_VDS2};
  for (const vdmos::FieldInfo& field : vdmos::DatasheetFields()) {
    if (std::find(fields.begin(), fields.end(), field.control) == fields.end())
      fields.push_back(field.control);
  }
  return fields;
}

const std::vector<std::string_view>& Fields() {
  static const std::vector<std::string_view> fields = FuzzedFields();
  return fields;
}

struct Typing {
  std::size_t field;
  std::string text;
};

/// The input: one byte of switches (Multiple Lines, the FET type), then typings separated by
/// NUL bytes, each a byte that picks the field followed by the text typed into it.
struct Script {
  bool lineBreak = false;
  bool pmos = false;
  std::vector<Typing> typings;
};

Script ReadScript(std::string_view rest) {
  Script script;
  if (rest.empty()) return script;
  const unsigned switches = static_cast<unsigned char>(rest.front());
  rest.remove_prefix(1);
  script.lineBreak = switches & 1u;
  script.pmos = (switches >> 1) & 1u;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    const std::string_view typing = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (typing.empty()) continue;
    script.typings.push_back(
        {static_cast<unsigned char>(typing.front()) % Fields().size(), std::string(typing.substr(1))});
  }
  return script;
}

enum class Kind { Card, SubCkt, NgspiceSubCkt, Netlist, Schematic, PlotSettings };

struct Output {
  Kind kind;
  std::string name;
  std::string text;
};

void AddNetlists(const WindowState& state, std::vector<Output>& outputs) {
  if (vdmos::CardProblem(state.card)) return;
  vdmos::BenchSetup setup;
  try {
    setup = vdmos::ReadBenchSetup(state);
  } catch (const vdmos::ArithmeticFault&) {
    return;
  }
  if (vdmos::BenchSetupProblem(setup)) return;
  const bool gateCharge = !vdmos::GateChargeSetupProblem(setup);
  for (const vdmos::Bench bench : vdmos::kBenches) {
    if (bench == vdmos::Bench::GateCharge && !gateCharge) continue;
    outputs.push_back({Kind::Netlist, std::string(vdmos::BenchStem(bench)),
                       vdmos::NgspiceNetlist(bench, state.card, setup)});
  }
  // The export's subcircuit wraps the stored card under the card's own name and channel.
  const vdmos::NgspiceSubCkt exported = vdmos::NgspiceSubCircuit(
      vdmos::CardModelName(state.card).value_or(""), !vdmos::CardIsPChannel(state.card),
      state.text(vdmos::control::avalanche_volt), vdmos::ThreeLineCard(state.card));
  if (exported.ok()) outputs.push_back({Kind::NgspiceSubCkt, "exported", exported.text});
}

void AddTestCircuits(const WindowState& state, std::vector<Output>& outputs) {
  // The export's refusals, in its order; with no card it would run the update first, which
  // has run already.
  if (vdmos::ModelNameProblem(state.text(vdmos::control::Text20)) || vdmos::CircuitInputsProblem(state))
    return;
  if (state.text(vdmos::control::Text19).empty() || vdmos::ModelFailed(state)) return;
  const vdmos::CircuitInputs in = vdmos::ReadCircuitInputs(state);
  outputs.push_back({Kind::Schematic, "IdVgs", vdmos::IdVgsSchematic(in)});
  outputs.push_back({Kind::Schematic, "IdVdsVgs", vdmos::IdVdsVgsSchematic(in)});
  outputs.push_back({Kind::Schematic, "GateCharge", vdmos::GateChargeSchematic(in)});
  outputs.push_back({Kind::Schematic, "Cxss", vdmos::CxssSchematic(in)});
  outputs.push_back({Kind::PlotSettings, "IdVgs", vdmos::IdVgsPlotSettings(in)});
  outputs.push_back({Kind::PlotSettings, "IdVdsVgs", vdmos::IdVdsVgsPlotSettings(in)});
  outputs.push_back({Kind::PlotSettings, "GateCharge", vdmos::GateChargePlotSettings(in)});
  outputs.push_back({Kind::PlotSettings, "Cxss", vdmos::CxssPlotSettings(in)});
}

struct Run {
  WindowState state;
  std::vector<Output> outputs;
  std::optional<std::string> valuesFile;  ///< nullopt where the save refuses
};

Run Produce(const Script& script) {
  Run run;
  WindowState& state = run.state;
  vdmos::ScriptedPlatform platform;
  const auto type = [&](std::string_view control, std::string text) {
    vdmos::TypeInto(*vdmos::FindControlAction(control), std::move(text), state, platform);
  };
  if (script.lineBreak) state.setCheck(vdmos::control::LineBreak, 1);
  if (script.pmos) type(vdmos::control::Combo1, "PMOS");
  for (const Typing& typing : script.typings) type(Fields()[typing.field], typing.text);
  vdmos::UpdateModel(state, platform);

  if (!vdmos::ModelFailed(state)) {
    run.outputs.push_back({Kind::Card, "card", state.text(vdmos::control::Text19)});
    run.outputs.push_back({Kind::SubCkt, "subcircuit", state.text(vdmos::control::SubCktTextBox)});
    const vdmos::NgspiceSubCkt subckt = vdmos::NgspiceSubCircuit(state);
    if (subckt.ok()) run.outputs.push_back({Kind::NgspiceSubCkt, "copied", subckt.text});
  }
  AddNetlists(state, run.outputs);
  AddTestCircuits(state, run.outputs);
  if (!vdmos::DatasheetFileProblem(state)) run.valuesFile = vdmos::DatasheetFileText(state);
  return run;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (;;) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return lines;
    text.remove_prefix(end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1));
  }
}

/// What a line opens with, as a reader of the output tells lines apart: the card's
/// continuation mark, or the first word (cut at a parenthesis, as ".MODEL name VDMOS(" reads).
/// A comment keeps only its mark: the tool's comments carry the model name.
std::string Opening(std::string_view line) {
  if (line.empty()) return {};
  if (line.front() == '+' || line.front() == '*' || line.front() == ';') return std::string(1, line.front());
  return std::string(line.substr(0, line.find_first_of(" \t(")));
}

/// The directives of a schematic's TEXT records, which the simulator reads as lines apart
/// where the embedded card has a literal backslash-n.
std::vector<std::string> DirectiveLines(std::string_view line) {
  std::vector<std::string> pieces;
  const std::size_t mark = line.find(" !");
  if (line.substr(0, 5) != "TEXT " || mark == std::string_view::npos) return pieces;
  std::string_view directive = line.substr(mark + 2);
  for (;;) {
    const std::size_t end = directive.find("\\n");
    pieces.emplace_back(directive.substr(0, end));
    if (end == std::string_view::npos) return pieces;
    directive.remove_prefix(end + 2);
  }
}

using Openings = std::map<std::pair<Kind, std::string>, std::set<std::string>>;

void Collect(const std::vector<Output>& outputs, Openings& openings) {
  for (const Output& output : outputs) {
    std::set<std::string>& known = openings[{output.kind, output.name}];
    for (const std::string_view line : Lines(output.text)) {
      known.insert(Opening(line));
      for (const std::string& piece : DirectiveLines(line)) known.insert("!" + Opening(piece));
    }
  }
}

std::size_t FieldIndex(std::string_view control) {
  return static_cast<std::size_t>(std::find(Fields().begin(), Fields().end(), control) - Fields().begin());
}

/// The openings of each output for the start values, in each form the switches give, and
/// with every hot value typed, which gives the card its temperature line and the netlists
/// their runs at the junction temperature.
const Openings& StartOpenings() {
  static const Openings openings = [] {
    Openings collected;
    namespace c = vdmos::control;
    const std::vector<Typing> hot{{FieldIndex(c::TjHot), "150"},  {FieldIndex(c::RdsHotRatio), "2.5"},
                                  {FieldIndex(c::Tj2), "100"},    {FieldIndex(c::RdsRatio2), "1.8"},
                                  {FieldIndex(c::VthHot), "2.2"}, {FieldIndex(c::VsdHot), "0.65"},
                                  {FieldIndex(c::IsdHot), "3"},   {FieldIndex(c::ZtcVgs), "6.5"},
                                  {FieldIndex(c::BvHot), "680"},  {FieldIndex(c::IdssHot), "100u"}};
    for (const bool lineBreak : {false, true}) {
      for (const bool pmos : {false, true}) {
        Collect(Produce({lineBreak, pmos, {}}).outputs, collected);
        Collect(Produce({lineBreak, pmos, hot}).outputs, collected);
      }
    }
    return collected;
  }();
  return openings;
}

std::size_t LineCount(std::string_view text) { return Lines(text).size(); }

/// The lines of a values file that are not named lines: the fixed layout's, which no typed
/// text may add to. The named lines vary, since some are written only when their field is.
std::size_t FixedLineCount(std::string_view text) {
  const vdmos::DatasheetReading reading = vdmos::ReadDatasheetText(text);
  if (reading.status != vdmos::DatasheetReadStatus::Ok) std::abort();
  return LineCount(text) - reading.content.named.size() - reading.content.curves.size();
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string SwapLineBreaks(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = static_cast<char>(c == '\r' ? '\n' : '\r');
  }
  return text;
}

const Output* Find(const std::vector<Output>& outputs, const Output& like) {
  for (const Output& output : outputs) {
    if (output.kind == like.kind && output.name == like.name) return &output;
  }
  return nullptr;
}

/// Whether the field's text, holding a line break, went into the output: the same input with
/// the field's CR and LF swapped must then show the swapped text there. A text the tool wrote
/// itself by chance does not follow the swap.
bool Escaped(const Script& script, std::size_t field, const std::string& text, const Output& output) {
  Script swapped = script;
  for (Typing& typing : swapped.typings) {
    if (typing.field == field) typing.text = SwapLineBreaks(typing.text);
  }
  const Run other = Produce(swapped);
  const Output* same = Find(other.outputs, output);
  return same != nullptr && same->text != output.text &&
         same->text.find(SwapLineBreaks(text)) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Openings& start = StartOpenings();
  static const std::size_t valuesFileLines = FixedLineCount(Produce({}).valuesFile.value_or(""));

  const Script script = ReadScript(std::string_view(reinterpret_cast<const char*>(data), size));
  const Run run = Produce(script);

  for (const Output& output : run.outputs) {
    if (output.kind == Kind::PlotSettings) continue;
    const auto known = start.find({output.kind, output.name});
    if (known == start.end()) std::abort();
    for (const std::string_view line : Lines(output.text)) {
      if (!known->second.contains(Opening(line))) std::abort();
      for (const std::string& piece : DirectiveLines(line)) {
        if (!known->second.contains("!" + Opening(piece))) std::abort();
      }
    }
  }

  for (std::size_t field = 0; field < Fields().size(); ++field) {
    const std::string& text = run.state.text(Fields()[field]);
    if (!HasLineBreak(text)) continue;
    for (const Output& output : run.outputs) {
      if (output.text.find(text) != std::string::npos && Escaped(script, field, text, output)) std::abort();
    }
  }

  if (run.valuesFile && FixedLineCount(*run.valuesFile) != valuesFileLines) std::abort();
  return 0;
}
