#include "gui/qt/window_builder.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <algorithm>
#include <utility>
#include <vector>

#include "gui/qt/month_calendar.h"
#include "gui/qt/qt_text.h"

namespace kustel {
namespace {

QString TextOf(const char16_t* text) {
  return ToQString(std::u16string_view(text));
}

// Fonts are given in pixels, so they do not grow with the screen's text scaling.
QFont PixelFont(const char16_t* face, int pixels) {
  QFont font(TextOf(face));
  font.setPixelSize(pixels);
  return font;
}

using Colours = std::vector<std::pair<QPalette::ColorRole, Rgb>>;

// Colours of the palette's roles, the rest left to what holds the widget.
void Paint(QWidget* widget, const Colours& colours) {
  QPalette palette;
  for (const auto& [role, colour] : colours)
    palette.setColor(role, QColor(colour.red, colour.green, colour.blue));
  widget->setPalette(palette);
}

QWidget* MakeWidget(const ControlDefinition& control, QWidget* holder) {
  const QString text = TextOf(control.text);
  switch (control.kind) {
    case ControlKind::kPanel: {
      auto* panel = new QFrame(holder);
      panel->setFrameShape(QFrame::Panel);
      panel->setFrameShadow(QFrame::Raised);
      return panel;
    }
    case ControlKind::kGroupBox:
      return new QGroupBox(text, holder);
    case ControlKind::kRadioItem:
      return new QRadioButton(text, holder);
    case ControlKind::kMonthCalendar: {
      auto* calendar = new QCalendarWidget(holder);
      SetUpMonthCalendar(calendar, control.Has(kWeekNumbers));
      calendar->setSelectedDate(QDate(control.date.year, control.date.month, control.date.day));
      return calendar;
    }
    case ControlKind::kLabel: {
      auto* label = new QLabel(text, holder);
      label->setTextFormat(Qt::PlainText);  // a stored chosen date is shown as it stands
      label->setAlignment(control.Has(kCentred) ? Qt::AlignCenter
                                                : Qt::AlignLeft | Qt::AlignVCenter);
      return label;
    }
    case ControlKind::kEdit:
      return new QLineEdit(holder);
    case ControlKind::kComboBox: {
      auto* combo = new QComboBox(holder);
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      for (const char16_t* item : control.items) combo->addItem(TextOf(item));
      return combo;
    }
    case ControlKind::kListBox: {
      auto* list = new QListWidget(holder);
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      list->setUniformItemSizes(true);
      for (const char16_t* line : control.items) {
        auto* item = new QListWidgetItem(TextOf(line), list);
        if (control.lineHeight != 0) item->setSizeHint(QSize(1, control.lineHeight));
      }
      return list;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(text, holder);
      button->setAutoDefault(false);
      button->setDefault(false);
      return button;
    }
    case ControlKind::kScrollBox: {
      auto* box = new QScrollArea(holder);
      box->setFrameShape(QFrame::NoFrame);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setWidgetResizable(false);
      return box;
    }
    case ControlKind::kPicture: {
      auto* picture = new QLabel(holder);
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return picture;
    }
  }
  return new QWidget(holder);
}

void PaintAsDefined(QWidget* widget, const ControlDefinition& control) {
  if (control.kind == ControlKind::kScrollBox) return;  // its face is its content
  Colours colours;
  if (control.background) {
    const bool field = control.kind == ControlKind::kListBox;
    colours.emplace_back(field ? QPalette::Base : QPalette::Window, *control.background);
    if (!field) widget->setAutoFillBackground(true);
  }
  if (control.textColour) {
    const bool button = control.kind == ControlKind::kButton;
    colours.emplace_back(button ? QPalette::ButtonText : QPalette::WindowText, *control.textColour);
  }
  if (!colours.empty()) Paint(widget, colours);
}

}  // namespace

BuiltWindow::BuiltWindow(QWidget* window, const WindowDefinition& definition) {
  window->setObjectName(QLatin1String(definition.name));
  window->setWindowTitle(TextOf(definition.caption));
  window->setFixedSize(definition.clientWidth, definition.clientHeight);
  Paint(window, {{QPalette::Window, definition.background}});
  window->setAutoFillBackground(true);
  window->setFont(PixelFont(definition.fontFace, definition.characterHeight));
  for (const ControlDefinition& control : definition.controls) {
    QWidget* widget = Build(window, control);
    if (control.characterHeight != 0)
      widget->setFont(PixelFont(definition.fontFace, control.characterHeight));
    widgets_[control.id] = widget;
  }
  FitScrollContents(definition);
  ChainTabStops(definition);
}

QWidget* BuiltWindow::operator[](int id) const {
  const auto found = widgets_.find(id);
  return found != widgets_.end() ? found->second : nullptr;
}

QWidget* BuiltWindow::HolderOf(QWidget* window, const ControlDefinition& control) const {
  if (control.parent == 0) return window;
  const auto content = contents_.find(control.parent);
  return content != contents_.end() ? content->second : widgets_.at(control.parent);
}

QWidget* BuiltWindow::Build(QWidget* window, const ControlDefinition& control) {
  QWidget* widget = MakeWidget(control, HolderOf(window, control));
  widget->setObjectName(QLatin1String(control.name));
  widget->setGeometry(control.place.left, control.place.top, control.place.width,
                      control.place.height);
  if (control.kind == ControlKind::kScrollBox) {
    // The content and the viewport around it, which the scroll area makes itself, show the
    // scroll box's background.
    auto* content = new QWidget(widget);
    content->setObjectName(QLatin1String(control.name) + QLatin1String("Content"));
    if (control.background) {
      Paint(content, {{QPalette::Window, *control.background}});
      Paint(static_cast<QScrollArea*>(widget)->viewport(),
            {{QPalette::Window, *control.background}});
    }
    contents_[control.id] = content;
  }
  if (control.Has(kTakesNoFocus)) {
    widget->setFocusPolicy(Qt::NoFocus);
  } else if (control.Has(kTabStop) && !(widget->focusPolicy() & Qt::TabFocus)) {
    widget->setFocusPolicy(Qt::StrongFocus);
  }
  PaintAsDefined(widget, control);
  return widget;
}

// A scroll box's content reaches as far as the controls in it; it is handed to the scroll area
// at that size, which sets the scroll range.
void BuiltWindow::FitScrollContents(const WindowDefinition& definition) {
  for (const auto& [id, content] : contents_) {
    int width = 0;
    int height = 0;
    for (const int child : ChildrenOf(definition, id)) {
      const Place& place = ControlOf(definition, child).place;
      width = std::max(width, place.left + place.width);
      height = std::max(height, place.top + place.height);
    }
    content->resize(width, height);
    Get<QScrollArea>(id)->setWidget(content);
  }
}

void BuiltWindow::ChainTabStops(const WindowDefinition& definition) const {
  QWidget* previous = nullptr;
  for (const ControlDefinition& control : definition.controls) {
    if (!control.Has(kTabStop)) continue;
    QWidget* widget = (*this)[control.id];
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

Qt::WindowFlags FrameFlags(WindowFrame frame) {
  switch (frame) {
    case WindowFrame::kMainWindow:
      return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
             Qt::WindowCloseButtonHint;
    case WindowFrame::kDialog:
      return Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
             Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  }
  return Qt::Window;
}

}  // namespace kustel
