#pragma once

#include <QString>

// How a screen reader names a word of a picture: "whale, 3 times", "sea, 1 time".
QString wordWithCount(const QString &word, qint64 count);
