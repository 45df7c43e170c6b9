#include "model/window_state.h"

#include <stdexcept>
#include <utility>

#include "model/control_names.h"
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
  texts_.emplace(control::OUT_ID1, "0");
  texts_.emplace(control::OUT_ID2, "0");
  texts_.emplace(control::Label_DcParam, "KP  RS  RD  VTO");
  texts_.emplace(control::Label_Rds, "Rds");
  texts_.emplace(control::DATA1, "Vgs    Id");
  texts_.emplace(control::DATA2, "Vgs    Id");
  texts_.emplace(control::StatusBar1, "");
  texts_.emplace(control::Ciss_on, "-");
  texts_.emplace(control::Ciss_off, "-");
  texts_.emplace(control::Label_ACparam, "AC model params");
  texts_.emplace(control::Text19, "");
  texts_.emplace(control::SubCktTextBox, "Subcircuit model\r\n");
  texts_.emplace(control::FileName, "VDmos.lib");
  texts_.emplace(control::LibTextBox, "");

  for (auto [box, value] :
       {std::pair{control::CheckDepMode, 0}, std::pair{control::ForceRdsOn, 1}, std::pair{control::FixVTO, 1},
        std::pair{control::LineBreak, 1}, std::pair{control::ChargesFirst, 0}})
    checks_.emplace(box, value);
  for (control::Name name : {control::Command1, control::SubCktTextBox, control::CopyToClipBoardSubCkt})
    enabled_.emplace(name, true);
  for (auto [picture, shown] : {std::pair{control::Image1, true}, std::pair{control::Image2, false},
                                std::pair{control::Image3, false}})
    visible_.emplace(picture, shown);
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
