#include "gui/qt/drop_area.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMetaObject>
#include <QMimeData>

#include "gui/qt/dropped_paths.h"

namespace kustel {
namespace {

// Only actions that leave the dragged files where they are; a drag that offers nothing else
// is refused.
bool TakeAsCopy(QDropEvent* event) {
  if (event->possibleActions() & Qt::CopyAction)
    event->setDropAction(Qt::CopyAction);
  else if (event->possibleActions() & Qt::LinkAction)
    event->setDropAction(Qt::LinkAction);
  else
    return false;
  return true;
}

bool CarriesLocalFiles(const QMimeData* data) {
  return data && data->hasUrls() && !DroppedPaths(data->urls()).empty();
}

}  // namespace

DropArea::DropArea(QWidget* target, DroppedFn dropped)
    : QObject(target), target_(target), dropped_(std::move(dropped)) {
  target->setAcceptDrops(false);
  target->installEventFilter(this);
  // A scroll area hands drag events to the scroll area itself, but a drop on its viewport is
  // watched too in case the viewport takes them.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(target))
    area->viewport()->installEventFilter(this);
}

void DropArea::Enable() {
  target_->setAcceptDrops(true);
}

bool DropArea::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (target_->acceptDrops() && CarriesLocalFiles(drag->mimeData()) && TakeAsCopy(drag))
        drag->accept();
      else
        drag->ignore();
      return true;
    }
    case QEvent::DragLeave:
      return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!target_->acceptDrops() || !drop->mimeData() || !TakeAsCopy(drop)) {
        drop->ignore();
        return true;
      }
      std::vector<std::u16string> paths = DroppedPaths(drop->mimeData()->urls());
      if (paths.empty()) {
        drop->ignore();
        return true;
      }
      drop->accept();
      QMetaObject::invokeMethod(
          this, [this, paths = std::move(paths)]() mutable { dropped_(std::move(paths)); },
          Qt::QueuedConnection);
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace kustel
