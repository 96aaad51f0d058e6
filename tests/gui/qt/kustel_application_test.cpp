#include "gui/qt/kustel_application.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <stdexcept>
#include <vector>

#include "gui/qt/message_box.h"

namespace kustel {
namespace {

constexpr QEvent::Type kThrow = QEvent::User;
constexpr QEvent::Type kAfter = static_cast<QEvent::Type>(QEvent::User + 1);

// An event handler that fails the way the case says, and notes what else reached it.
class FailingHandler final : public QObject {
 public:
  explicit FailingHandler(void (*fail)()) : fail_(fail) {}
  bool event(QEvent* event) override {
    if (event->type() == kThrow) fail_();
    if (event->type() == kAfter) ++laterEvents;
    return QObject::event(event);
  }
  int laterEvents = 0;

 private:
  void (*fail_)();
};

struct FailureCase {
  const char* name;
  void (*fail)();
  std::u16string shownText;
};

TEST(KustelApplication, ShowsAFailureFromAnEventHandlerAndGoesOn) {
  QtArguments arguments("/usr/bin/kustel");
  KustelApplication application(arguments, "Kustel");
  std::vector<ShownBox> boxes;
  SetMessageBoxHook([&](const ShownBox& box) { boxes.push_back(box); });

  const FailureCase rows[] = {
      {"a failure with a text", [] { throw std::runtime_error("Datei fehlt"); }, u"Datei fehlt."},
      {"a text ending in a full stop", [] { throw std::runtime_error("Ende."); }, u"Ende."},
      // Never an empty box.
      {"a failure without a text", [] { throw 42; }, u"Unbekannter Fehler."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes.clear();
    FailingHandler handler(row.fail);
    QCoreApplication::postEvent(&handler, new QEvent(kThrow));
    QCoreApplication::postEvent(&handler, new QEvent(kAfter));
    QCoreApplication::processEvents();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, u"Kustel");
    EXPECT_EQ(boxes[0].text, row.shownText);
    EXPECT_EQ(boxes[0].icon, BoxIcon::kError);
    EXPECT_EQ(handler.laterEvents, 1);  // the event loop went on
  }
  SetMessageBoxHook(nullptr);
}

TEST(KustelApplication, GivesQtTheProgramPathAlone) {
  QtArguments arguments("/usr/bin/kustel");
  KustelApplication application(arguments, "Kustel");
  EXPECT_EQ(QCoreApplication::arguments(), QStringList{"/usr/bin/kustel"});
  EXPECT_EQ(QCoreApplication::applicationName(), "Kustel");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Kustel");  // Qt's fallback, not set
}

}  // namespace
}  // namespace kustel
