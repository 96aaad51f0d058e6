#pragma once

namespace kustel {

// The windows name Tahoma and "MS Sans Serif". Where the metric-compatible faces of Debian's
// fonts-wine are installed they are registered with Qt; elsewhere Qt picks its own substitute.
// Needs a QApplication.
void RegisterWindowFonts();

}  // namespace kustel
