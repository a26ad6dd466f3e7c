#pragma once

#include <QString>
#include <QStringList>

// How the app names a corpus to the user (escaped, so that a file name cannot break a
// line): by the folder it was read from, or by how many files and folders were opened.

// What is being opened, before its files are known: "book.txt", "chapters",
// "3 files", "2 files and folders".
QString openedSourcesName(const QStringList &sources);

// The corpus read: "66 files from chapters" for a folder or files of one folder, else
// "3 files"; "5 of 66 files from chapters" when only some of them are included.
QString corpusDescription(const QStringList &sources, qsizetype files, qsizetype included);
