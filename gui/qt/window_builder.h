#pragma once

#include <QWidget>
#include <map>

#include "gui/window_definition.h"

namespace kustel {

// The widgets of a window definition (gui/window_definition.h), built into the window itself:
// each control as the Qt widget of its kind, at its place with its text, items, font, colours,
// alignment and focus, children inside the control that holds them, and the tab order of the
// definition. The window gets its name, caption, fixed client size, font and background. This
// is the one place where Qt meets the definitions; the window classes only wire the widgets.
class BuiltWindow {
 public:
  BuiltWindow(QWidget* window, const WindowDefinition& definition);
  BuiltWindow(const BuiltWindow&) = delete;
  BuiltWindow& operator=(const BuiltWindow&) = delete;

  QWidget* operator[](int id) const;
  template <typename Widget>
  Widget* Get(int id) const {
    return static_cast<Widget*>((*this)[id]);
  }

 private:
  QWidget* Build(QWidget* window, const ControlDefinition& control);
  QWidget* HolderOf(QWidget* window, const ControlDefinition& control) const;
  void FitScrollContents(const WindowDefinition& definition);
  void ChainTabStops(const WindowDefinition& definition) const;

  std::map<int, QWidget*> widgets_;
  std::map<int, QWidget*> contents_;  // where a scroll box holds its children
};

// The window flags of a frame.
Qt::WindowFlags FrameFlags(WindowFrame frame);

}  // namespace kustel
