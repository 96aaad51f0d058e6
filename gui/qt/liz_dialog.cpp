#include "gui/qt/liz_dialog.h"

#include <QFont>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QWheelEvent>

#include "gui/accelerators.h"
#include "gui/centring.h"
#include "gui/info_picture.h"
#include "gui/liz_definition.h"
#include "gui/png_decoder.h"
#include "gui/qt/window_builder.h"
#include "platform/latin_case.h"

namespace kustel {
namespace {

Qt::KeyboardModifiers PlainModifiers(const QKeyEvent* event) {
  return event->modifiers() & ~Qt::KeypadModifier;
}

// The close button's letter presses it, with or without Alt (and whatever the case).
bool IsCloseLetter(const QKeyEvent* event) {
  const char16_t letter = AcceleratorLetter(ControlOf(LizDefinition(), kCloseBtn).text);
  return event->key() == LatinUpper(letter) &&
         (PlainModifiers(event) & ~(Qt::AltModifier | Qt::ShiftModifier)) == Qt::NoModifier;
}

LizKey KeyOf(const QKeyEvent* event) {
  if (IsCloseLetter(event)) return LizKey::kLetterS;
  const bool plain = (PlainModifiers(event) & ~Qt::ShiftModifier) == Qt::NoModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return LizKey::kEnter;
    case Qt::Key_Space:
      return LizKey::kSpace;
    case Qt::Key_Escape:
      return LizKey::kEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
      return plain ? LizKey::kFocusKey : LizKey::kOther;
    default:
      return LizKey::kOther;
  }
}

}  // namespace

LizDialog::LizDialog(QWidget* parent)
    : QDialog(parent, FrameFlags(LizDefinition().frame)),
      controls_(std::make_unique<BuiltWindow>(this, LizDefinition())) {
  // Arrows move 8 pixels; the trough moves one visible height, which the scroll area keeps as the
  // page step itself; a dragged thumb moves the page only when it is let go.
  QScrollBar* bar = controls_->Get<QScrollArea>(kScrollBox1)->verticalScrollBar();
  bar->setSingleStep(8);
  bar->setTracking(false);

  ShowPicture();
  connect(controls_->Get<QPushButton>(kCloseBtn), &QPushButton::clicked, this,
          [this] { rules_.CloseBtnClick(); });
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

LizDialog::~LizDialog() = default;

void LizDialog::ShowInfo(const QString& caption) {
  setWindowTitle(caption);
  if (!placed_) {
    CentreOnWorkArea();
    placed_ = true;
  }
  exec();
}

int LizDialog::ScrollPosition() const {
  return controls_->Get<QScrollArea>(kScrollBox1)->verticalScrollBar()->value();
}

int LizDialog::ScrollMaximum() const {
  return controls_->Get<QScrollArea>(kScrollBox1)->verticalScrollBar()->maximum();
}

void LizDialog::ScrollTo(int position) {
  controls_->Get<QScrollArea>(kScrollBox1)->verticalScrollBar()->setValue(position);
}

bool LizDialog::ScrollBoxHasFocus() const {
  return focusWidget() == controls_->Get<QScrollArea>(kScrollBox1);
}

void LizDialog::FocusScrollBox() {
  controls_->Get<QScrollArea>(kScrollBox1)->setFocus(Qt::OtherFocusReason);
}

void LizDialog::FocusCloseButton() {
  controls_->Get<QPushButton>(kCloseBtn)->setFocus(Qt::TabFocusReason);
}

void LizDialog::Close() {
  accept();
}

void LizDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  rules_.FormShow();
}

void LizDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();  // QDialog would close; this dialog stays open
    return;
  }
  QDialog::keyPressEvent(event);
}

bool LizDialog::eventFilter(QObject* watched, QEvent* event) {
  QWidget* const scrollBox = controls_->Get<QScrollArea>(kScrollBox1);
  QWidget* const closeBtn = controls_->Get<QPushButton>(kCloseBtn);
  const bool onControl = watched == scrollBox || watched == closeBtn;
  switch (event->type()) {
    case QEvent::Wheel:
      rules_.MouseWheel(WheelPlace::kControl, static_cast<QWheelEvent*>(event)->angleDelta().y());
      event->accept();
      return true;
    case QEvent::ShortcutOverride:
      // Claim S before the accelerator's shortcut, which would press the button only later.
      if (onControl && IsCloseLetter(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
      }
      break;
    case QEvent::KeyPress:
      if (onControl) {
        return rules_.KeyPress(KeyOf(static_cast<QKeyEvent*>(event)), watched == closeBtn);
      }
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void LizDialog::wheelEvent(QWheelEvent* event) {
  rules_.MouseWheel(WheelPlace::kBackground, event->angleDelta().y());
  event->accept();
}

void LizDialog::ShowPicture() {
  const DecodedPng picture = DecodePng(InfoPicturePng());
  if (!picture.ok()) {
    controls_->Get<QLabel>(kImage1)->setText(
        QStringLiteral("Das Informationsbild ist beschädigt: %1")
            .arg(QString::fromUtf8(PngErrorText(picture.error))));
    return;
  }
  const QImage image(picture.rgba.data(), static_cast<int>(picture.width),
                     static_cast<int>(picture.height), static_cast<qsizetype>(picture.width) * 4,
                     QImage::Format_RGBA8888);
  controls_->Get<QLabel>(kImage1)->setPixmap(QPixmap::fromImage(image));  // copies the pixels
}

// The first showing sits in the middle of the work area of the screen the program is on. The
// window is created first so that the frame is counted where the window system already knows it.
void LizDialog::CentreOnWorkArea() {
  const QWidget* owner = parentWidget() ? parentWidget() : this;
  const QRect area = owner->screen()->availableGeometry();
  create();
  const QSize frame = frameGeometry().size();
  const Place place =
      CentredIn({area.x(), area.y(), area.width(), area.height()}, frame.width(), frame.height());
  move(place.left, place.top);
}

}  // namespace kustel
