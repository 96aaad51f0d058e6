#include "gui/liz_form.h"
#include "gui/qt/liz_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include "gui/info_picture.h"
#include "gui/liz_definition.h"
#include "gui/png_decoder.h"
#include "gui/qt/window_fonts.h"

namespace kustel {
namespace {

// The scroll geometry of the definition: the content reaches down to the picture's lower edge.
const Place kBoxPlace = ControlOf(LizDefinition(), kScrollBox1).place;
const Place kPicturePlace = ControlOf(LizDefinition(), kImage1).place;
const int kBottom = kPicturePlace.top + kPicturePlace.height - kBoxPlace.height;

QRgb RgbOf(Rgb colour) {
  return qRgb(colour.red, colour.green, colour.blue);
}

// The caption the main window hands over for a version.
QString Caption(const QString& version) {
  return QString::fromStdU16String(LizCaption(version.toStdU16String()));
}

class LizFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "liz_form_test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
      new QApplication(argc, argv);
      RegisterWindowFonts();
    }
  }

  QScrollArea* ScrollBox() { return form_.findChild<QScrollArea*>("ScrollBox1"); }
  QScrollBar* Bar() { return ScrollBox()->verticalScrollBar(); }
  QPushButton* CloseBtn() { return form_.findChild<QPushButton*>("CloseBtn"); }
  QLabel* Image() { return form_.findChild<QLabel*>("Image1"); }
  int ContentTop() { return ScrollBox()->widget()->y(); }

  // Runs `body` inside the modal showing; whatever the body leaves open is then closed, so a
  // failing check cannot leave the test waiting.
  void WhileShown(const std::function<void()>& body, const QString& version = "24.11.23") {
    QTimer::singleShot(0, &form_, [&] {
      body();
      if (form_.isVisible()) form_.close();
    });
    form_.ShowInfo(Caption(version));
    ASSERT_FALSE(form_.isVisible());
  }

  LizDialog form_;
};

TEST_F(LizFormTest, CaptionCarriesTheVersionAndTheShowingIsModal) {
  QWidget mainWindow;
  mainWindow.resize(200, 100);
  QPushButton* mainButton = new QPushButton("Info", &mainWindow);
  int mainClicks = 0;
  QObject::connect(mainButton, &QPushButton::clicked, &mainWindow, [&] { ++mainClicks; });
  mainWindow.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));

  LizDialog owned(&mainWindow);
  bool ran = false;
  QTimer::singleShot(0, &owned, [&] {
    ran = true;
    EXPECT_EQ(owned.windowTitle(), "  Bedienung und Lizenzvereinbarung - Version 24.11.23");
    EXPECT_TRUE(owned.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), &owned);
    // A click delivered to the main window as the window system would deliver it is swallowed.
    QTest::mouseClick(mainWindow.windowHandle(), Qt::LeftButton, {},
                      mainButton->geometry().center());
    QApplication::processEvents();
    EXPECT_EQ(mainClicks, 0);
    owned.close();
  });
  owned.ShowInfo(Caption("24.11.23"));
  EXPECT_TRUE(ran);
  EXPECT_FALSE(owned.isVisible());

  // Once the dialog is gone the main window takes input again: the click above was refused for
  // the modal showing, not lost for another reason.
  QTest::mouseClick(mainWindow.windowHandle(), Qt::LeftButton, {}, mainButton->geometry().center());
  QApplication::processEvents();
  EXPECT_EQ(mainClicks, 1);
}

TEST_F(LizFormTest, FrameIsFixedWithOnlyACloseBox) {
  EXPECT_EQ(form_.size(), QSize(LizDefinition().clientWidth, LizDefinition().clientHeight));
  EXPECT_EQ(form_.minimumSize(), form_.maximumSize());
  const Qt::WindowFlags flags = form_.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(CloseBtn()->isDefault());
  EXPECT_FALSE(CloseBtn()->autoDefault());
}

// The rendered dialog: silver around, white above and beside the picture, and the picture itself
// at the top of the scroll box below its band, pixel for pixel in its own colours.
TEST_F(LizFormTest, ShowsThePictureUnscaledInItsOwnColours) {
  const DecodedPng picture = DecodePng(InfoPicturePng());
  ASSERT_TRUE(picture.ok());
  auto pictureAt = [&](int x, int y) {
    const uint8_t* p = &picture.rgba[(size_t(y) * picture.width + size_t(x)) * 4];
    return qRgb(p[0], p[1], p[2]);
  };
  size_t coloured = 0;
  for (size_t i = 0; i < picture.rgba.size(); i += 4)
    coloured += picture.rgba[i] != picture.rgba[i + 2];
  ASSERT_GT(coloured, 0u) << "in a grey picture swapped colour channels would go unseen";
  const QRect box(kBoxPlace.left, kBoxPlace.top, kBoxPlace.width, kBoxPlace.height);
  const QRgb boxColour = RgbOf(*ControlOf(LizDefinition(), kScrollBox1).background);
  const int band = kPicturePlace.top;
  const int width = static_cast<int>(picture.width);
  WhileShown([&] {
    const QImage shot = form_.grab().toImage();
    EXPECT_EQ(shot.pixel(5, 5), RgbOf(LizDefinition().background)) << "background";
    EXPECT_EQ(shot.pixel(box.left() + 100, box.top() + band - 2), boxColour) << "band above";
    EXPECT_EQ(shot.pixel(box.left() + width + 4, box.top() + 200), boxColour) << "beside";
    int differing = 0;
    for (int y = 0; y < box.height() - band; ++y)
      for (int x = 0; x < width; ++x)
        differing += shot.pixel(box.left() + x, box.top() + band + y) != pictureAt(x, y);
    EXPECT_EQ(differing, 0) << "pixels of the top of the picture that differ";

    Bar()->setValue(kBottom);
    const QImage bottom = form_.grab().toImage();
    differing = 0;
    const int last = static_cast<int>(picture.height) - 1;
    for (int x = 0; x < width; ++x)
      differing += bottom.pixel(box.left() + x, box.bottom()) != pictureAt(x, last);
    EXPECT_EQ(differing, 0) << "pixels of the picture's last row that differ";
    Bar()->setValue(0);
  });
}

TEST_F(LizFormTest, ScrollBarStepsAndDragging) {
  WhileShown([&] {
    QScrollBar* bar = Bar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), kBottom);
    EXPECT_FALSE(ScrollBox()->horizontalScrollBar()->isVisible());
    EXPECT_EQ(ScrollBox()->horizontalScrollBar()->maximum(), 0) << "nothing to scroll sideways";

    struct Action {
      const char* name;
      QAbstractSlider::SliderAction action;
      int expected;
    };
    const Action actions[] = {
        {"ArrowDown", QAbstractSlider::SliderSingleStepAdd, 8},
        {"TroughBelowTheThumb", QAbstractSlider::SliderPageStepAdd, 8 + kBoxPlace.height},
        {"ArrowUp", QAbstractSlider::SliderSingleStepSub, kBoxPlace.height},
        {"TroughAboveTheThumb", QAbstractSlider::SliderPageStepSub, 0},
        {"Bottom", QAbstractSlider::SliderToMaximum, kBottom},
        {"TroughBelowAtTheBottom", QAbstractSlider::SliderPageStepAdd, kBottom},
        {"Top", QAbstractSlider::SliderToMinimum, 0},
        {"ArrowUpAtTheTop", QAbstractSlider::SliderSingleStepSub, 0},
    };
    bar->setValue(0);
    for (const Action& row : actions) {
      SCOPED_TRACE(row.name);
      bar->triggerAction(row.action);
      EXPECT_EQ(bar->value(), row.expected);
      EXPECT_EQ(ContentTop(), -row.expected);
    }

    // While the thumb is held the page stays; letting go moves it.
    bar->setSliderDown(true);
    bar->setSliderPosition(300);
    EXPECT_EQ(ContentTop(), 0);
    bar->setSliderDown(false);
    EXPECT_EQ(bar->value(), 300);
    EXPECT_EQ(ContentTop(), -300);
  });
}

enum class Over { kPicture, kScrollBar, kCloseButton, kBackground };

struct WheelCase {
  const char* name;
  int start;
  int delta;
  int events;
  Over over;
  bool focusOnCloseBtn;
  int expected;
};

const WheelCase kWheelCases[] = {
    {"AwayFromTheUserAtTheTopStaysAtTheTop", 0, 120, 1, Over::kPicture, false, 0},
    {"TowardsTheUserAtTheBottomStaysAtTheBottom", kBottom, -120, 1, Over::kPicture, false, kBottom},
    {"OneNotchFrom12AboveEndsAtTheBottom", kBottom - 12, -120, 1, Over::kPicture, false, kBottom},
    {"OneNotchOverThePictureScrolls30", 100, -120, 1, Over::kPicture, false, 130},
    {"OneNotchAwayOverThePictureScrolls30Back", 100, 120, 1, Over::kPicture, false, 70},
    {"Delta100Scrolls24", 100, 100, 1, Over::kPicture, false, 76},
    {"DeltaMinus100TruncatesTowardZero", 100, -100, 1, Over::kPicture, false, 124},
    {"RemaindersAreNotCarried", 100, -9, 8, Over::kPicture, false, 116},
    {"OneNotchOverTheScrollBarScrolls30", 100, -120, 1, Over::kScrollBar, false, 130},
    {"OneNotchOverTheCloseButtonScrolls30", 100, -120, 1, Over::kCloseButton, false, 130},
    {"OneNotchOverTheBackgroundScrolls15", 100, -120, 1, Over::kBackground, false, 115},
    {"FocusOnTheCloseButtonOverThePicture", 100, -120, 1, Over::kPicture, true, 100},
    {"FocusOnTheCloseButtonOverTheCloseButton", 100, -120, 1, Over::kCloseButton, true, 100},
    {"FocusOnTheCloseButtonOverTheBackground", 100, -120, 1, Over::kBackground, true, 100},
};

class LizFormWheelTest : public LizFormTest {
 protected:
  void Turn(Over over, int delta) {
    QWidget* target = &form_;
    QPoint pos(5, 5);  // the background, above the scroll box
    switch (over) {
      case Over::kPicture:
        target = Image();
        pos = QPoint(200, 300);
        break;
      case Over::kScrollBar:
        target = Bar();
        pos = Bar()->rect().center();
        break;
      case Over::kCloseButton:
        target = CloseBtn();
        pos = CloseBtn()->rect().center();
        break;
      case Over::kBackground:
        break;
    }
    QWheelEvent wheel(pos, target->mapToGlobal(QPointF(pos)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
  }
};

TEST_F(LizFormWheelTest, StepsAndRouting) {
  WhileShown([&] {
    for (const WheelCase& row : kWheelCases) {
      SCOPED_TRACE(row.name);
      Bar()->setValue(row.start);
      if (row.focusOnCloseBtn)
        CloseBtn()->setFocus();
      else
        ScrollBox()->setFocus();
      for (int i = 0; i < row.events; ++i) Turn(row.over, row.delta);
      EXPECT_EQ(Bar()->value(), row.expected);
      EXPECT_EQ(ContentTop(), -row.expected);
    }
  });
}

TEST_F(LizFormWheelTest, DeltasBelowEightNeverMoveHoweverManyArrive) {
  WhileShown([&] {
    Bar()->setValue(100);
    for (int delta = -7; delta <= 7; ++delta)
      for (Over over : {Over::kPicture, Over::kBackground})
        for (int i = 0; i < 50; ++i) Turn(over, delta);
    EXPECT_EQ(Bar()->value(), 100);
  });
}

enum class Focus { kScrollBox, kCloseBtn };

struct KeyCase {
  const char* name;
  Focus from;
  int key;
  Qt::KeyboardModifiers modifiers;
  bool closes;
  Focus to;  // where the focus is afterwards, if the dialog stays open
};

const KeyCase kKeyCases[] = {
    {"SClosesFromTheScrollBox", Focus::kScrollBox, Qt::Key_S, {}, true, Focus::kScrollBox},
    {"AltSClosesFromTheScrollBox", Focus::kScrollBox, Qt::Key_S, Qt::AltModifier, true,
     Focus::kScrollBox},
    {"ShiftSClosesFromTheScrollBox", Focus::kScrollBox, Qt::Key_S, Qt::ShiftModifier, true,
     Focus::kScrollBox},
    {"SClosesFromTheButton", Focus::kCloseBtn, Qt::Key_S, {}, true, Focus::kCloseBtn},
    {"AltSClosesFromTheButton", Focus::kCloseBtn, Qt::Key_S, Qt::AltModifier, true,
     Focus::kCloseBtn},
    {"CtrlSDoesNotClose", Focus::kScrollBox, Qt::Key_S, Qt::ControlModifier, false,
     Focus::kScrollBox},
    {"ReturnPressesTheFocusedButton", Focus::kCloseBtn, Qt::Key_Return, {}, true, Focus::kCloseBtn},
    {"KeypadEnterPressesTheFocusedButton", Focus::kCloseBtn, Qt::Key_Enter, Qt::KeypadModifier,
     true, Focus::kCloseBtn},
    {"SpacePressesTheFocusedButton", Focus::kCloseBtn, Qt::Key_Space, {}, true, Focus::kCloseBtn},
    {"ReturnDoesNothingOnTheScrollBox",
     Focus::kScrollBox,
     Qt::Key_Return,
     {},
     false,
     Focus::kScrollBox},
    {"SpaceDoesNothingOnTheScrollBox",
     Focus::kScrollBox,
     Qt::Key_Space,
     {},
     false,
     Focus::kScrollBox},
    {"EscapeDoesNothingOnTheScrollBox",
     Focus::kScrollBox,
     Qt::Key_Escape,
     {},
     false,
     Focus::kScrollBox},
    {"EscapeDoesNothingOnTheButton", Focus::kCloseBtn, Qt::Key_Escape, {}, false, Focus::kCloseBtn},
    {"TabMovesToTheButton", Focus::kScrollBox, Qt::Key_Tab, {}, false, Focus::kCloseBtn},
    {"TabMovesBackToTheScrollBox", Focus::kCloseBtn, Qt::Key_Tab, {}, false, Focus::kScrollBox},
    {"BacktabMovesToTheButton", Focus::kScrollBox, Qt::Key_Backtab, Qt::ShiftModifier, false,
     Focus::kCloseBtn},
    {"DownMovesToTheButton", Focus::kScrollBox, Qt::Key_Down, {}, false, Focus::kCloseBtn},
    {"UpMovesToTheButton", Focus::kScrollBox, Qt::Key_Up, {}, false, Focus::kCloseBtn},
    {"LeftMovesToTheButton", Focus::kScrollBox, Qt::Key_Left, {}, false, Focus::kCloseBtn},
    {"RightMovesToTheButton", Focus::kScrollBox, Qt::Key_Right, {}, false, Focus::kCloseBtn},
    {"DownMovesBackToTheScrollBox", Focus::kCloseBtn, Qt::Key_Down, {}, false, Focus::kScrollBox},
    {"LeftMovesBackToTheScrollBox", Focus::kCloseBtn, Qt::Key_Left, {}, false, Focus::kScrollBox},
    {"PageDownDoesNotScroll", Focus::kScrollBox, Qt::Key_PageDown, {}, false, Focus::kScrollBox},
    {"PageUpDoesNotScroll", Focus::kScrollBox, Qt::Key_PageUp, {}, false, Focus::kScrollBox},
    {"HomeDoesNotScroll", Focus::kScrollBox, Qt::Key_Home, {}, false, Focus::kScrollBox},
    {"EndDoesNotScroll", Focus::kScrollBox, Qt::Key_End, {}, false, Focus::kScrollBox},
    {"CtrlEndDoesNotScroll", Focus::kScrollBox, Qt::Key_End, Qt::ControlModifier, false,
     Focus::kScrollBox},
};

// Keys go to the dialog's window as the keyboard would send them, so the focus decides which
// control receives them and accelerators take part.
TEST_F(LizFormTest, Keys) {
  for (const KeyCase& row : kKeyCases) {
    SCOPED_TRACE(row.name);
    bool closedByKey = false;
    WhileShown([&] {
      ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
      Bar()->setValue(100);
      QWidget* from =
          row.from == Focus::kScrollBox ? static_cast<QWidget*>(ScrollBox()) : CloseBtn();
      from->setFocus();
      ASSERT_EQ(QApplication::focusWidget(), from);
      QTest::keyClick(form_.windowHandle(), static_cast<Qt::Key>(row.key), row.modifiers);
      closedByKey = !form_.isVisible();
      if (!closedByKey) {
        QWidget* to = row.to == Focus::kScrollBox ? static_cast<QWidget*>(ScrollBox()) : CloseBtn();
        EXPECT_EQ(form_.focusWidget(), to);
      }
      EXPECT_EQ(Bar()->value(), 100) << "no key scrolls";
    });
    EXPECT_EQ(closedByKey, row.closes);
  }
}

TEST_F(LizFormTest, ReopensWhereItWasLeftWithItsScrollPositionAndFocusOnTheScrollBox) {
  const QRect area = form_.screen()->availableGeometry();
  WhileShown([&] {
    const QPoint offCentre = form_.frameGeometry().center() - area.center();
    EXPECT_LE(offCentre.manhattanLength(), 2) << "the first showing is centred";
    EXPECT_EQ(form_.focusWidget(), ScrollBox());
    form_.move(40, 30);  // as the user might drag it
    Bar()->setValue(300);
    CloseBtn()->setFocus();
    CloseBtn()->click();
  });
  WhileShown([&] {
    EXPECT_EQ(form_.pos(), QPoint(40, 30));
    EXPECT_EQ(Bar()->value(), 300);
    EXPECT_EQ(ContentTop(), -300);
    EXPECT_EQ(form_.focusWidget(), ScrollBox()) << "every showing starts on the scroll box";
  });
}

// The close button and the title bar's close box (and Alt+F4, which the window system turns into
// the same request) end the showing and hide the dialog for the next one.
TEST_F(LizFormTest, ClosingHidesAndKeepsTheDialog) {
  struct Way {
    const char* name;
    std::function<void()> close;
  };
  const Way ways[] = {
      {"CloseButtonClicked", [&] { QTest::mouseClick(CloseBtn(), Qt::LeftButton); }},
      {"CloseBox", [&] { form_.windowHandle()->close(); }},
  };
  QPointer<LizDialog> alive(&form_);
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    bool closed = false;
    WhileShown([&] {
      way.close();
      closed = !form_.isVisible();
    });
    EXPECT_TRUE(closed);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive.isNull());
  }
}

}  // namespace
}  // namespace kustel
