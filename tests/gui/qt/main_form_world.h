#pragma once

// A main window as window mode builds it, in a world of its own: the real settings file in a
// temporary XDG_CONFIG_HOME, a temporary folder of files on the real file system, a clock
// pinned to 5 November 2024, 14:32, and message boxes answered through the test seam. Every box,
// settings write and rename lands in one event log, so a test can check their order.

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QWidget>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/prefix_formats.h"
#include "gui/qt/main_window.h"
#include "gui/qt/message_box.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/window_fonts.h"
#include "platform/file_system.h"
#include "platform/name_codec.h"
#include "platform/settings_backend.h"
#include "settings/settings_store.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/logged_backend.h"
#include "tests/support/logged_files.h"
#include "tests/support/temp_folder.h"

namespace kustel {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "kustel";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    auto* created = new QApplication(argc, argv);
    RegisterWindowFonts();
    return created;
  }();
  return *application;
}

inline std::string Utf8(const std::u16string& text) {
  return ToQString(text).toStdString();
}

// The version window mode hands the window.
inline const std::u16string kVersion = u"24.11.23";

// The labels of the seven layouts for a fill character, as the window shows them.
inline QStringList LabelsOf(FillCharacter fill) {
  QStringList labels;
  for (const std::u16string& label : FormatLabels(fill)) labels << ToQString(label);
  return labels;
}

// Lets the queued parts of a handler (the work after a drop or a calendar click) run.
inline void RunQueuedEvents() {
  QCoreApplication::processEvents();
}

class MainFormWorld : public ::testing::Test {
 protected:
  MainFormWorld() {
    TestApplication();
    setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    nativeBackend_ = MakeNativeSettingsBackend();
    backend_ = std::make_unique<LoggedBackend>(*nativeBackend_, log);
    settings_ = std::make_unique<SettingsStore>(*backend_, messages_);
    SetMessageBoxHook([this](const ShownBox& box) {
      boxes.push_back(box);
      log.push_back("box " + Utf8(box.text));
      if (whileBoxIsOpen) whileBoxIsOpen();
    });
  }
  ~MainFormWorld() override {
    SetMessageBoxHook(nullptr);
    form_.reset();
  }

  // Builds the window and runs its creation handler, as start-up does.
  MainWindow& Open() {
    form_ = std::make_unique<MainWindow>(
        MainFormServices{files_, clock_, *settings_, messages_, kVersion});
    form_->Form().FormCreate();
    return *form_;
  }
  // Also shows it and makes it the active window, for focus and keyboard tests.
  MainWindow& OpenShown() {
    Open();
    form_->show();
    QApplication::setActiveWindow(form_.get());
    RunQueuedEvents();
    return *form_;
  }
  MainWindow& form() { return *form_; }

  template <typename Widget>
  Widget* Control(const char* name) {
    auto* control = form_->findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  std::string SettingsPath() const { return config_.Path("tolm/kustel/cfg_regstring"); }
  std::string SettingsFolder() const { return config_.Path("tolm/kustel"); }
  void StoreSettings(const std::string& text) const {
    std::filesystem::create_directories(SettingsFolder());
    std::ofstream(SettingsPath(), std::ios::binary) << text;
  }
  std::string StoredSettings() const {
    std::ifstream in(SettingsPath(), std::ios::binary);
    if (!in) return "<nothing stored>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // A file URL with each byte of the path percent-encoded where a URL needs it, as a file
  // manager writes it into text/uri-list.
  static QByteArray FileUrl(const std::string& path) {
    return "file://" + QByteArray::fromStdString(path).toPercentEncoding("/");
  }

  // Drags `uriList` over `target` and drops it there, offering `actions`, as a file manager's
  // drag does; then lets the queued work of the drop run. True when the target took the drop.
  static bool DragAndDrop(QWidget* target, const QByteArray& uriList,
                          Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction |
                                                    Qt::LinkAction) {
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), uriList);
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(centre), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    const bool taken = drop.isAccepted();
    // The source learns what the drop did with its files: never a move that deletes them.
    if (taken) {
      EXPECT_NE(drop.dropAction(), Qt::MoveAction);
    }
    RunQueuedEvents();
    return taken;
  }

  std::vector<std::string> log;
  std::vector<ShownBox> boxes;
  std::function<void()> whileBoxIsOpen;  // runs inside a box, as its nested event loop would

  TempFolder config_;
  TempFolder folder;
  NativeFileSystem nativeFiles_;
  LoggedFiles files_{nativeFiles_, log};
  FixedClock clock_{LocalDateTime{2024, 11, 5, 14, 32}};
  BoxMessageSink messages_{ShowModalBox, u"Kustel"};
  std::unique_ptr<SettingsBackend> nativeBackend_;
  std::unique_ptr<LoggedBackend> backend_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<MainWindow> form_;
};

}  // namespace kustel
