#pragma once

#include "gui/window_definition.h"

namespace kustel {

// The controls of the information dialog's definition `Lizenz`, by id, in their declared order.
enum LizControl : int {
  kCloseBtn = 201,
  kScrollBox1,
  kImage1,
};

const WindowDefinition& LizDefinition();

}  // namespace kustel
