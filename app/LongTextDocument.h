#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <stop_token>

class QTextDocument;
class QThread;

// The editor's document of a text too long to go in line by line, built in one go on a
// worker. The editor keeps a layout for every block it holds and makes them all anew
// whenever its width changes: a hundred megabytes of short lines would cost seconds and
// hundreds of megabytes each time. So the lines are gathered into blocks of up to
// linesPerBlock (joined by line separators, which the editor shows as line breaks and
// gives back as '\n' in its plain text).
//
// The document belongs to owner's thread once built. progress(done, total) is called on
// the worker with code units; stop ends the work with WorkStopped.
std::unique_ptr<QTextDocument>
longTextDocument(const QString &text, QThread *owner, std::stop_token stop,
                 const std::function<void(qsizetype, qsizetype)> &progress);

// The text with its line breaks (LF, CR LF, CR, paragraph separators) turned into line
// separators but every linesPerBlock-th, or where a block would pass blockLength code
// units; as the editor's document holds it.
QString gatheredLines(QStringView text);

inline constexpr int linesPerBlock = 64;
inline constexpr qsizetype blockLength = 16 * 1024;
