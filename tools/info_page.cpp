#include "info_page.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <stdexcept>
#include <vector>

namespace kustel {
namespace {

constexpr int kMargin = 12;
constexpr int kBulletIndent = 14;
constexpr int kCellPadding = 6;
const QColor kHeadingColour(0x1f, 0x3f, 0x8f);
const QColor kTextColour(0, 0, 0);
const QColor kRuleColour(0xa0, 0xa0, 0xa0);
const QColor kTableHeadColour(0xe4, 0xe8, 0xf4);

// Unsmoothed and fully hinted, as the window toolkit draws its own small text: crisp at these
// sizes and far more compact in the PNG than smoothed text. The bold Tahoma face keeps its weight
// up to 12 pixels only, so the headings stay at 11 and 12.
QFont Face(int pixelSize, bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

std::runtime_error Failure(const QString& text) {
  return std::runtime_error(text.toLocal8Bit().toStdString());
}

class PagePainter {
 public:
  PagePainter(QImage& page, const QMap<QString, QImage>& pictures)
      : painter_(&page), pictures_(pictures), width_(page.width() - 2 * kMargin), y_(kMargin) {
    painter_.setRenderHint(QPainter::TextAntialiasing);
  }

  int Bottom() const { return y_; }

  void Heading(const QString& text, bool large) {
    if (y_ > kMargin) y_ += large ? 12 : 8;
    painter_.setPen(kHeadingColour);
    y_ += Text(QRect(kMargin, y_, width_, 0), text, Face(large ? 12 : 11, true));
    if (large) {
      painter_.setPen(kHeadingColour);
      painter_.drawLine(kMargin, y_ + 1, kMargin + width_, y_ + 1);
      y_ += 3;
    }
    y_ += large ? 4 : 2;
  }

  void Paragraph(const QString& text) {
    painter_.setPen(kTextColour);
    y_ += Text(QRect(kMargin, y_, width_, 0), text, Face(11, false)) + 5;
  }

  void Bullet(const QString& text) {
    painter_.setPen(kTextColour);
    Text(QRect(kMargin + 3, y_, kBulletIndent, 0), QStringLiteral("•"), Face(11, false));
    y_ +=
        Text(QRect(kMargin + kBulletIndent, y_, width_ - kBulletIndent, 0), text, Face(11, false)) +
        2;
  }

  void Table(const std::vector<QStringList>& rows) {
    const QFont body = Face(11, false), head = Face(11, true);
    std::vector<int> widths;
    for (size_t r = 0; r < rows.size(); ++r) {
      const QFontMetrics metrics(r == 0 ? head : body);
      for (int c = 0; c < rows[r].size(); ++c) {
        if (widths.size() <= size_t(c)) widths.push_back(0);
        widths[c] = std::max(widths[c], metrics.horizontalAdvance(rows[r][c]) + 2 * kCellPadding);
      }
    }
    int total = 0;
    for (int w : widths) total += w;
    if (total > width_) throw Failure(QStringLiteral("table too wide: %1 pixels").arg(total));
    const int rowHeight = QFontMetrics(body).height() + 3;
    y_ += 1;
    for (size_t r = 0; r < rows.size(); ++r) {
      if (r == 0) painter_.fillRect(kMargin, y_, total, rowHeight, kTableHeadColour);
      int x = kMargin;
      painter_.setPen(kTextColour);
      for (int c = 0; c < rows[r].size(); ++c) {
        painter_.setFont(r == 0 ? head : body);
        painter_.drawText(QRect(x + kCellPadding, y_, widths[c], rowHeight), Qt::AlignVCenter,
                          rows[r][c]);
        x += widths[c];
      }
      painter_.setPen(kRuleColour);
      painter_.drawLine(kMargin, y_ + rowHeight - 1, kMargin + total - 1, y_ + rowHeight - 1);
      y_ += rowHeight;
    }
    y_ += 6;
  }

  void Picture(const QString& name) {
    const auto found = pictures_.find(name);
    if (found == pictures_.end()) throw Failure(QStringLiteral("no picture named %1").arg(name));
    const QImage& picture = *found;
    if (picture.width() + 2 > width_ + 2 * kMargin)
      throw Failure(QStringLiteral("picture %1 too wide").arg(name));
    y_ += 3;
    const int x = (width_ + 2 * kMargin - picture.width()) / 2;
    painter_.drawImage(x, y_ + 1, picture);
    painter_.setPen(kRuleColour);
    painter_.drawRect(x - 1, y_, picture.width() + 1, picture.height() + 1);
    y_ += picture.height() + 2 + 8;
  }

 private:
  // Draws wrapped text in the rectangle's width; returns the height it took. A path or a
  // registry key is never broken at one of its separators: the reader would not know whether
  // the break belongs to it.
  int Text(const QRect& area, const QString& text, const QFont& font) {
    painter_.setFont(font);
    QString unbroken = text;
    unbroken.replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
    unbroken.replace(QLatin1Char('\\'), QStringLiteral("\\\u2060"));
    QRect used;
    painter_.drawText(QRect(area.x(), area.y(), area.width(), 100000),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, unbroken, &used);
    return used.height();
  }

  QPainter painter_;
  const QMap<QString, QImage>& pictures_;
  int width_;
  int y_;
};

QStringList Cells(const QString& line) {
  QStringList cells = line.trimmed().split(QLatin1Char('|'));
  cells.removeFirst();
  if (!cells.isEmpty() && cells.last().trimmed().isEmpty()) cells.removeLast();
  for (QString& cell : cells) cell = cell.trimmed();
  return cells;
}

}  // namespace

const QStringList& PageSystems() {
  static const QStringList systems{QStringLiteral("linux"), QStringLiteral("windows")};
  return systems;
}

QString PageSourceFor(const QString& source, const QString& system) {
  QStringList kept;
  QString owner;  // empty: every system's line
  for (const QString& line : source.split(QLatin1Char('\n'))) {
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char('{')) && trimmed.endsWith(QLatin1Char('}'))) {
      owner = trimmed.mid(1, trimmed.size() - 2);
      if (!owner.isEmpty() && !PageSystems().contains(owner))
        throw Failure(QStringLiteral("unknown system marker %1").arg(trimmed));
    } else if (owner.isEmpty() || owner == system) {
      kept.append(line);
    }
  }
  return kept.join(QLatin1Char('\n'));
}

QImage RenderInfoPage(const QString& source, const QMap<QString, QImage>& pictures, QSize size) {
  QImage page(size, QImage::Format_ARGB32);
  page.fill(Qt::white);
  int bottom = 0;
  {
    PagePainter painter(page, pictures);
    QString paragraph;
    std::vector<QStringList> table;
    auto flush = [&] {
      if (!paragraph.isEmpty()) painter.Paragraph(paragraph);
      if (!table.empty()) painter.Table(table);
      paragraph.clear();
      table.clear();
    };
    for (const QString& rawLine : source.split(QLatin1Char('\n'))) {
      const QString line = rawLine.trimmed();
      if (!line.startsWith(QLatin1Char('|')) && !table.empty()) flush();
      if (line.isEmpty()) {
        flush();
      } else if (line.startsWith(QLatin1String("## "))) {
        flush();
        painter.Heading(line.mid(3), false);
      } else if (line.startsWith(QLatin1String("# "))) {
        flush();
        painter.Heading(line.mid(2), true);
      } else if (line.startsWith(QLatin1String("- "))) {
        flush();
        painter.Bullet(line.mid(2));
      } else if (line.startsWith(QLatin1Char('|'))) {
        if (!paragraph.isEmpty()) flush();
        table.push_back(Cells(line));
      } else if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
        flush();
        painter.Picture(line.mid(1, line.size() - 2));
      } else {
        paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + line;
      }
    }
    flush();
    bottom = painter.Bottom();
  }
  if (bottom > size.height() - kMargin / 2)
    throw Failure(QStringLiteral("the page needs %1 pixels, the picture has %2")
                      .arg(bottom)
                      .arg(size.height()));
  return page;
}

}  // namespace kustel
