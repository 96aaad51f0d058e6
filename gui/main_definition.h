#pragma once

#include "gui/window_definition.h"

namespace kustel {

// The controls of the main window's definition `Main`, by id. The ids stay clear of 1 and 2,
// which a Win32 dialog manager sends for Enter and Escape, and of the ids inside a combo box.
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
  kDatumRGroupItem0,
  kDatumRGroupItem1,
  kDatumRGroupItem2,
  kDatumRGroupItem3,
  kDatumRGroupItem4,
  kPanel2,
  kFormatRGroup,
  kFormatRGroupItem0,
  kFormatRGroupItem1,
  kFormatRGroupItem2,
  kFormatRGroupItem3,
  kFormatRGroupItem4,
  kFormatRGroupItem5,
  kFormatRGroupItem6,
  kLboxFiles,
  kInfoSBtn,
  kCloseSBtn,
};

const WindowDefinition& MainDefinition();

}  // namespace kustel
