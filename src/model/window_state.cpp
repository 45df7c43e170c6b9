#include "model/window_state.h"

#include <stdexcept>

#include "model/fields.h"

namespace vdmos {
namespace {

template <typename Map>
auto& Lookup(Map& map, std::string_view name, const char* what) {
  auto it = map.find(name);
  if (it == map.end()) throw std::out_of_range(std::string("unknown ") + what + ": " + std::string(name));
  return it->second;
}

}  // namespace

WindowState::WindowState() {
  for (const FieldInfo& field : DatasheetFields()) texts_.emplace(field.control, field.startText);
  // Outputs, with the captions they show before the first command writes them.
  texts_.emplace("OUT_ID1", "0");
  texts_.emplace("OUT_ID2", "0");
  texts_.emplace("Label_DcParam", "KP  RS  RD  VTO");
  texts_.emplace("Label_Rds", "Rds");
  texts_.emplace("DATA1", "Vgs    Id");
  texts_.emplace("DATA2", "Vgs    Id");
  texts_.emplace("StatusBar1", "");
  texts_.emplace("Ciss_on", "-");
  texts_.emplace("Ciss_off", "-");
  texts_.emplace("Label_ACparam", "AC model params");
  texts_.emplace("Text19", "");
  texts_.emplace("SubCktTextBox", "Subcircuit model\r\n");
  texts_.emplace("FileName", "VDmos.lib");
  texts_.emplace("LibTextBox", "");

  checks_ = {{"CheckDepMode", 0}, {"ForceRdsOn", 1}, {"FixVTO", 1}, {"LineBreak", 1}};
  enabled_ = {{"Command1", true}, {"SubCktTextBox", true}, {"CopyToClipBoardSubCkt", true}};
  visible_ = {{"Image1", true}, {"Image2", false}, {"Image3", false}};
}

const std::string& WindowState::text(std::string_view control) const {
  return Lookup(texts_, control, "control");
}
void WindowState::setText(std::string_view control, std::string value) {
  Lookup(texts_, control, "control") = std::move(value);
}
bool WindowState::hasText(std::string_view control) const { return texts_.contains(control); }

std::vector<std::string> WindowState::textControls() const {
  std::vector<std::string> names;
  for (const auto& [name, text] : texts_) names.push_back(name);
  return names;
}

int WindowState::check(std::string_view box) const { return Lookup(checks_, box, "check box"); }
void WindowState::setCheck(std::string_view box, int value) { Lookup(checks_, box, "check box") = value; }
bool WindowState::hasCheck(std::string_view box) const { return checks_.contains(box); }

std::vector<std::string> WindowState::checkBoxes() const {
  std::vector<std::string> names;
  for (const auto& [name, value] : checks_) names.push_back(name);
  return names;
}

bool WindowState::enabled(std::string_view control) const {
  auto it = enabled_.find(control);
  return it == enabled_.end() || it->second;
}
void WindowState::setEnabled(std::string_view control, bool value) { enabled_[std::string(control)] = value; }

std::vector<std::string> WindowState::switchableControls() const {
  std::vector<std::string> names;
  for (const auto& [name, value] : enabled_) names.push_back(name);
  return names;
}

bool WindowState::visible(std::string_view picture) const { return Lookup(visible_, picture, "picture"); }
void WindowState::setVisible(std::string_view picture, bool value) {
  Lookup(visible_, picture, "picture") = value;
}

}  // namespace vdmos
