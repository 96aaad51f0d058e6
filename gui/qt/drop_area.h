#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace kustel {

// Makes one widget the window's only target for files dragged from a file manager. A drop is
// accepted on the spot, so the drag source is released at once, and the paths are handed on
// from the event queue: `dropped` runs after the drop event has returned, and a message box it
// opens never holds up the file manager. The drop is taken as a copy, never a move, so the
// source never deletes what it dragged.
class DropArea final : public QObject {
 public:
  using DroppedFn = std::function<void(std::vector<std::u16string>)>;
  DropArea(QWidget* target, DroppedFn dropped);

  // Starts taking drops; until then the target refuses them like the rest of the window.
  void Enable();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* target_;
  DroppedFn dropped_;
};

}  // namespace kustel
