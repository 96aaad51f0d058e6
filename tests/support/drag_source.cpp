// A file manager's drag, as small as it gets: a window that starts dragging the files named on
// its command line (as file URLs, offering copy, move and link) when the mouse is pressed in it.
// Tests drive it with xdotool on a private X server, so a drop on Kustel's window comes from a
// real X drag source. Prints "ready" once the window is shown and the result of each drag.

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource final : public QWidget {
 public:
  explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {
    setWindowTitle(QStringLiteral("Kustel drag source"));
    resize(120, 80);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* data = new QMimeData;
    data->setUrls(urls_);
    // Kept alive after exec: the target fetches the data only after the drop was announced.
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const Qt::DropAction done =
        drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    std::printf("dropped %d\n", static_cast<int>(done));
    std::fflush(stdout);
  }

 private:
  QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QList<QUrl> urls;
  for (int i = 1; i < argc; ++i) urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
  DragSource source(urls);
  source.move(0, 0);
  source.show();
  std::printf("ready\n");
  std::fflush(stdout);
  return application.exec();
}
