#pragma once

namespace kustel {

// The window class of a panel: a raised bevel around a background that the parent's
// WM_CTLCOLORSTATIC gives, like a static control's. It holds controls of its own and passes their
// notifications and colour questions on to its parent, so the window that owns the panel handles
// them as if the controls were its own.
inline constexpr wchar_t kPanelClass[] = L"KustelPanel";

void RegisterPanelClass();

}  // namespace kustel
