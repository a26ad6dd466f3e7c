#pragma once

#include <QString>
#include <QStringView>

// Text for a message of one line, as a terminal or an alert shows it: control
// characters (C0, DEL, C1), line and paragraph separators and the marks that reorder
// text for display are written as escapes ("\n", "\t", "\x1b", "\u{202e}"), so that a
// name holding them can neither break the line nor drive the terminal. Everything else
// stays as it is.
QString escapedControls(QStringView text);
