#pragma once

#include "gui/win32/window_definition.h"

namespace kustel {

// The controls of the main window definition `Main`, by id. The ids stay clear of 1 and 2,
// which IsDialogMessage sends for Enter and Escape, and of the ids inside a combo box.
enum MainControl : int {
  kMonthCalendar1 = 101,
  kLabel3,
  kDatumLabel,
  kLabel4,
  kLabel1,
  kLabel2,
  kFuellzeichenComBox,
  kEinfgDelComBox,
  kBeliebigTextEdit,
  kPanel1,
  kDatumRGroup,
  kDatumItem0,  // the five items of DatumRGroup follow in order
  kPanel2 = kDatumItem0 + 5,
  kFormatRGroup,
  kFormatItem0,  // the seven items of FormatRGroup follow in order
  kLboxFiles = kFormatItem0 + 7,
  kInfoSBtn,
  kCloseSBtn,
};

inline constexpr int kDatumItemCount = 5;
inline constexpr int kFormatItemCount = 7;

const WindowDefinition& MainDefinition();

}  // namespace kustel
