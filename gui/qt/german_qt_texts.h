#pragma once

namespace kustel {

// Qt's own texts (a scroll bar's context menu, an edit field's menu, the calendar's tooltips)
// in German, from Qt's translation catalogue where it is installed; elsewhere they stay English.
// Needs a QApplication.
void InstallGermanQtTexts();

}  // namespace kustel
