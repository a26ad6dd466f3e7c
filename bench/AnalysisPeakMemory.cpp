// Runs one analysis in this fresh process and prints its peak memory against the
// size of the UTF-8 input, the way the command-line tool holds the text.
//   analysis-peak-memory FILE
//   analysis-peak-memory --generated MEGABYTES

#include "ProcessMemory.h"
#include "TextFile.h"
#include "TextGenerator.h"
#include "TokenWords.h"
#include "Tokeniser.h"
#include "TreeText.h"

#include <QFile>
#include <QString>
#include <cstdio>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

double megabytes(qint64 bytes)
{
    return double(bytes) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--generated") == 0) {
        // fall through below
    } else if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE | --generated MEGABYTES\n", argv[0]);
        return 2;
    }
    const qint64 baseline = qint64(ProcessMemory::peakResidentMegabytes() * 1e6);

    QByteArray utf8;
    QString name;
    if (argc == 3) {
        utf8 = generateEnglishLikeText(qsizetype(QByteArray(argv[2]).toDouble() * 1e6));
        name = u"generated %1 MB"_s.arg(QString::fromLocal8Bit(argv[2]));
    } else {
        name = QString::fromLocal8Bit(argv[1]);
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
            return 1;
        }
        utf8 = file.readAll();
    }
    const qint64 inputBytes = utf8.size();
    TextFile decoded = decodeUtf8(utf8, name);
    if (!decoded.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(decoded.error));
        return 1;
    }
    utf8 = {}; // the tool keeps only the decoded text

    // As the counts command's JSON goes: the tree text made, then tokenised and counted.
    const QString joined = treeText(std::exchange(decoded.text, QString()));
    const WordDictionary words = cloudWordsOfTokens(tokenise(joined));
    const qint64 peak = qint64(ProcessMemory::peakResidentMegabytes() * 1e6);

    std::printf("%s: input %.1f MB, %lld words kept, tree text %lld units\n", qPrintable(name),
                megabytes(inputBytes), static_cast<long long>(words.size()),
                static_cast<long long>(joined.size()));
    std::printf("  peak RSS %.1f MB = %.2f x input (process baseline %.1f MB; "
                "above baseline %.2f x input)\n",
                megabytes(peak), double(peak) / double(inputBytes), megabytes(baseline),
                double(peak - baseline) / double(inputBytes));
    return 0;
}
