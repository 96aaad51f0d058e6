#pragma once

#include <QImage>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace kustel {

// Lays out the information page from its text source and paints it on a white, fully opaque
// picture of the given size. The source is plain text, one block after another:
//
//   # Heading          a large heading        ## Heading   a small one
//   - text             a bullet item (one line)
//   | a | b | c |      a table row; the first row of a table is its head
//   [name]             the picture of that name, centred, with a thin frame
//   any other line     paragraph text; lines are joined until an empty line or another block
//
// Throws std::runtime_error naming the problem when a picture is missing, a table is too wide or
// the page runs longer than the picture.
QImage RenderInfoPage(const QString& source, const QMap<QString, QImage>& pictures, QSize size);

// The systems a page is made for, each with a picture of its own.
const QStringList& PageSystems();

// One source holds the pages of every system: a line {linux} or {windows} makes the lines after
// it belong to that system's page alone, a line {} makes them belong to every page again. The
// marker lines themselves are dropped, so a marked line can stand inside a paragraph. Returns the
// source of the given system's page; throws std::runtime_error for an unknown marker.
QString PageSourceFor(const QString& source, const QString& system);

}  // namespace kustel
