#pragma once

#include <string>
#include <string_view>

#include "engine/option_state.h"

namespace kustel {

// The stored form of the options: four one-character indices, "00", the chosen date as
// YYYYMMDD or "99999999", then the free text or "xxx". Reading relies on this text lying
// under whatever was stored.
inline constexpr std::u16string_view kDefaultSettingsString = u"00000099999999xxx";

// The longest settings text: what is stored beyond it is never read.
inline constexpr size_t kMaxSettingsLength = 54;

std::u16string ComposeSettingsString(const OptionState& options);

// Applies a stored text of any length; every unrecognised character falls back to a fixed
// value. Sets the indices and the free text always, the chosen date only when one is stored.
void ApplySettingsString(std::u16string_view stored, OptionState& options);

}  // namespace kustel
