#pragma once

#include <QString>
#include <QStringView>

// The tree text of a text as the user gave it: lower-cased, its lines joined by one
// space, a line-end hyphen joining the next line without one, blank lines and the
// whitespace around line breaks gone (but a trailing space of the first line). The
// tokens of a tree text are those of the text it was made from.
QString treeText(QStringView text);
