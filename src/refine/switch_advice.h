#pragma once
// Which setting of the DC-fit switches ("Force Rdson matching", "Don't change Vto") gives the
// card that meets the datasheet best: each of the four settings is fitted on a copy of the
// window, and its card is measured at every datasheet point with the model's own curves.

#include <array>
#include <optional>
#include <string>

#include "model/window_state.h"
#include "platform/platform.h"
#include "refine/point_errors.h"

namespace vdmos {

struct SwitchSetting {
  int ForceRdsOn = 0;  ///< the check value: 1 checked, 0 clear
  int FixVTO = 0;
  friend bool operator==(const SwitchSetting&, const SwitchSetting&) = default;
};

/// The four settings, the start setting (both checked) first.
inline constexpr std::array<SwitchSetting, 4> kSwitchSettings{SwitchSetting{1, 1}, SwitchSetting{1, 0},
                                                              SwitchSetting{0, 1}, SwitchSetting{0, 0}};

struct SwitchAdviceRow {
  SwitchSetting setting;
  CardErrors errors;    ///< empty when the model update failed with this setting
  std::string failure;  ///< why the model could not be made with this setting; empty otherwise
};

struct SwitchAdvice {
  std::array<SwitchAdviceRow, 4> rows;  ///< in the order of kSwitchSettings
  /// The row with the smallest worst DC error (the switches change only the DC fit); a tie
  /// goes to the window's own setting, then to the earlier row. nullopt when no row has a
  /// finite one.
  std::optional<std::size_t> best;
  /// The row of the window's own setting; nullopt when its check values are not 0 or 1.
  std::optional<std::size_t> current;
};

/// The advice for the window's fields. The window itself is not changed; messages the model
/// update would show are not shown.
SwitchAdvice AdviseSwitches(const WindowState& state);

/// Sets the switches of the best row and runs the model update. Shows a message and changes
/// nothing when there is no best row.
void ApplyBestSwitches_Click(WindowState& state, Platform& platform);

/// "Force Rdson matching on, Don't change Vto off" and the like.
std::string SwitchSettingText(const SwitchSetting& setting);

}  // namespace vdmos
