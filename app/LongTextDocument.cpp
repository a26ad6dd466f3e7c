#include "LongTextDocument.h"

#include "StopCheck.h"

#include <QPlainTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <algorithm>

namespace {

// Pieces of this many code units go in one at a time: the text is never copied whole.
constexpr qsizetype pieceLength = 1 << 20;

bool isBlockBreak(QChar unit)
{
    return unit == u'\n' || unit == u'\r' || unit == QChar::ParagraphSeparator;
}

// Gathers the lines of text[begin, end) onto out; lines and length carry the current
// block's count across pieces. Returns where it stopped: before a CR whose LF may come
// in the next piece.
qsizetype gather(QStringView text, qsizetype begin, qsizetype end, int &lines, qsizetype &length,
                 QString &out)
{
    qsizetype position = begin;
    while (position < end) {
        const qsizetype lineEnd =
            std::find_if(text.begin() + position, text.begin() + end, isBlockBreak) - text.begin();
        out += text.sliced(position, lineEnd - position);
        length += lineEnd - position;
        position = lineEnd;
        if (position == end)
            break;
        const QChar unit = text[position];
        if (unit == u'\r' && position + 1 == end && end < text.size())
            break;
        const bool crLf =
            unit == u'\r' && position + 1 < text.size() && text[position + 1] == u'\n';
        if (++lines < linesPerBlock && length < blockLength) {
            out += QChar::LineSeparator;
        } else {
            out += crLf ? u'\n' : unit;
            lines = 0;
            length = 0;
        }
        position += crLf ? 2 : 1;
    }
    return position;
}

} // namespace

QString gatheredLines(QStringView text)
{
    QString gathered;
    gathered.reserve(text.size());
    int lines = 0;
    qsizetype length = 0;
    gather(text, 0, text.size(), lines, length, gathered);
    return gathered;
}

std::unique_ptr<QTextDocument>
longTextDocument(const QString &text, QThread *owner, std::stop_token stop,
                 const std::function<void(qsizetype, qsizetype)> &progress)
{
    const StopCheck check(std::move(stop));
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    QTextCursor end(document.get());
    int lines = 0;
    qsizetype length = 0;
    QString piece;
    for (qsizetype begin = 0; begin < text.size();) {
        check.throwIfStopped();
        piece.clear();
        begin =
            gather(text, begin, std::min(text.size(), begin + pieceLength), lines, length, piece);
        end.insertText(piece);
        progress(begin, text.size());
    }
    document->moveToThread(owner);
    return document;
}
