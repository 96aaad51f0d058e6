#include "gui/qt/liz_form.h"

#include <QFont>
#include <QImage>
#include <QKeyEvent>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QWheelEvent>
#include <algorithm>

#include "gui/info_picture.h"
#include "gui/png_decoder.h"
#include "ui_Lizenz.h"

namespace kustel {
namespace {

// A fixed frame with a close box and nothing else in the title bar.
constexpr Qt::WindowFlags kFrame = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                   Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Designer files hold point sizes only; the dialog's fonts are given in pixels, so they do not
// grow with the screen's text scaling.
QFont PixelFont(int pixelSize) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(pixelSize);
  return font;
}

Qt::KeyboardModifiers PlainModifiers(const QKeyEvent* event) {
  return event->modifiers() & ~Qt::KeypadModifier;
}

// S presses the close button like its accelerator, with or without Alt (and whatever the case).
bool IsCloseLetter(const QKeyEvent* event) {
  return event->key() == Qt::Key_S &&
         (PlainModifiers(event) & ~(Qt::AltModifier | Qt::ShiftModifier)) == Qt::NoModifier;
}

bool MovesFocus(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
      return (PlainModifiers(event) & ~Qt::ShiftModifier) == Qt::NoModifier;
    default:
      return false;
  }
}

bool IsEnter(const QKeyEvent* event) {
  return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace

TLizForm::TLizForm(QWidget* parent)
    : QDialog(parent, kFrame), ui_(std::make_unique<Ui::LizForm>()) {
  ui_->setupUi(this);
  setFixedSize(size());  // the client area of the window definition, 508 x 550
  setFont(PixelFont(11));
  ui_->CloseBtn->setFont(PixelFont(13));

  // The scroll area makes its viewport itself, so the viewport's white cannot be declared.
  QWidget* viewport = ui_->ScrollBox1->viewport();
  QPalette white = viewport->palette();
  white.setColor(QPalette::Window, Qt::white);
  viewport->setPalette(white);

  // Arrows move 8 pixels; the trough moves one visible height, which the scroll area keeps as the
  // page step itself; a dragged thumb moves the page only when it is let go.
  QScrollBar* bar = ui_->ScrollBox1->verticalScrollBar();
  bar->setSingleStep(8);
  bar->setTracking(false);

  ShowPicture();
  connect(ui_->CloseBtn, &QPushButton::clicked, this, &TLizForm::CloseBtnClick);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

TLizForm::~TLizForm() = default;

void TLizForm::ShowInfo(const QString& versionText) {
  setWindowTitle(
      QStringLiteral("  Bedienung und Lizenzvereinbarung - Version %1").arg(versionText));
  if (!placed_) {
    CentreOnWorkArea();
    placed_ = true;
  }
  exec();
}

void TLizForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TLizForm::FormShow() {
  ui_->ScrollBox1->setFocus(Qt::OtherFocusReason);
}

void TLizForm::CloseBtnClick() {
  accept();
}

// The step is delta / 8 truncated toward zero; what the division leaves is dropped, so small
// steps of a fine wheel never add up.
void TLizForm::ScrollBox1MouseWheel(int delta) {
  QScrollBar* bar = ui_->ScrollBox1->verticalScrollBar();
  const int target = std::clamp(bar->value() - delta / 8, 0, std::max(0, bar->maximum()));
  if (target != bar->value()) bar->setValue(target);
}

void TLizForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();  // QDialog would close; this dialog stays open
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TLizForm::eventFilter(QObject* watched, QEvent* event) {
  QWidget* const scrollBox = ui_->ScrollBox1;
  QWidget* const closeBtn = ui_->CloseBtn;
  switch (event->type()) {
    case QEvent::Wheel:
      // Over any control the wheel is handled twice (see RouteWheel).
      RouteWheel(static_cast<QWheelEvent*>(event), 2);
      return true;
    case QEvent::ShortcutOverride:
      // Claim S before the accelerator's shortcut, which would press the button only later.
      if ((watched == scrollBox || watched == closeBtn) &&
          IsCloseLetter(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
      }
      break;
    case QEvent::KeyPress:
      if (watched == scrollBox || watched == closeBtn)
        return ControlKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

// The dialog's two controls share the keyboard: S closes from either, Tab and the arrows move to
// the other one, Enter (like Space) presses the button only while it has the focus, and no key
// scrolls the picture.
bool TLizForm::ControlKey(QWidget* control, QKeyEvent* event) {
  QWidget* const scrollBox = ui_->ScrollBox1;
  QPushButton* const closeBtn = ui_->CloseBtn;
  if (IsCloseLetter(event)) {
    closeBtn->click();
    return true;
  }
  if (MovesFocus(event)) {
    QWidget* const other = control == scrollBox ? static_cast<QWidget*>(closeBtn) : scrollBox;
    other->setFocus(event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab
                        ? Qt::TabFocusReason
                        : Qt::OtherFocusReason);
    return true;
  }
  if (control == closeBtn) {
    if (IsEnter(event)) {
      closeBtn->click();
      return true;
    }
    return false;  // Space presses the button as usual; Escape reaches keyPressEvent
  }
  return true;  // the scroll box takes no other key
}

// A wheel event over any control is handled by the focused control and then, not being
// consumed, by the dialog, which hands it to the focused control once more; over the dialog's
// background only the second happens. Only the scroll box scrolls, so nothing moves while the
// close button has the focus.
void TLizForm::RouteWheel(QWheelEvent* event, int handlings) {
  if (focusWidget() == ui_->ScrollBox1) {
    const int delta = event->angleDelta().y();
    for (int i = 0; i < handlings; ++i) ScrollBox1MouseWheel(delta);
  }
  event->accept();
}

void TLizForm::wheelEvent(QWheelEvent* event) {
  RouteWheel(event, 1);
}

void TLizForm::ShowPicture() {
  const DecodedPng picture = DecodePng(InfoPicturePng());
  if (!picture.ok()) {
    ui_->Image1->setText(QStringLiteral("Das Informationsbild ist beschädigt: %1")
                             .arg(QString::fromUtf8(PngErrorText(picture.error))));
    return;
  }
  const QImage image(picture.rgba.data(), static_cast<int>(picture.width),
                     static_cast<int>(picture.height), static_cast<qsizetype>(picture.width) * 4,
                     QImage::Format_RGBA8888);
  ui_->Image1->setPixmap(QPixmap::fromImage(image));  // copies the pixels
}

// The first showing sits in the middle of the work area of the screen the program is on. The
// window is created first so that the frame is counted where the window system already knows it.
void TLizForm::CentreOnWorkArea() {
  const QWidget* owner = parentWidget() ? parentWidget() : this;
  const QRect area = owner->screen()->availableGeometry();
  create();
  const QSize frame = frameGeometry().size();
  move(area.x() + (area.width() - frame.width()) / 2,
       area.y() + (area.height() - frame.height()) / 2);
}

}  // namespace kustel
