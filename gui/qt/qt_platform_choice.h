#pragma once

namespace kustel {

// Where Qt will draw, read from the environment as Qt reads it, before Qt is started: Qt ends
// the whole process when it finds nothing to draw on, and a box drawn where nobody sees it
// would wait for an OK forever.

// True when Qt has something to draw on: a display is named (X11 or Wayland), or a platform was
// chosen explicitly in QT_QPA_PLATFORM ("offscreen", for instance).
bool QtHasAPlatform();

// True when what Qt draws is seen by someone: it has a platform, and that is not one that draws
// nowhere ("offscreen", "minimal").
bool QtDrawsWhereItIsSeen();

}  // namespace kustel
