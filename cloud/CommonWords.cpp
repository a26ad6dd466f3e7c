#include "CommonWords.h"

#include "LowerCase.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Where the build puts the lists, one file per language code.
const QString listDirectory = u":/common-words"_s;

} // namespace

QList<CommonWordLanguage> commonWordLanguages()
{
    QList<CommonWordLanguage> languages;
    for (const QString &code : QDir(listDirectory).entryList(QDir::Files)) {
        const QString bare = code.chopped(4); // ".txt"
        languages.append({bare, QLocale::languageToString(QLocale(bare).language())});
    }
    std::sort(languages.begin(), languages.end(),
              [](const auto &first, const auto &second) { return first.name < second.name; });
    return languages;
}

QSet<QString> commonWordsOf(const QString &languageCode)
{
    QFile list(listDirectory + u'/' + languageCode + u".txt"_s);
    // A code is one word of letters: never a path out of the lists' directory.
    if (languageCode.isEmpty() || languageCode.contains(u'/') || !list.open(QIODevice::ReadOnly))
        return {};
    return parseWordList(QString::fromUtf8(list.readAll()));
}

QSet<QString> parseWordList(QStringView text)
{
    QSet<QString> words;
    for (QStringView line : text.tokenize(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'#'))
            continue;
        qsizetype start = -1;
        for (qsizetype i = 0; i <= line.size(); ++i) {
            const bool space = i == line.size() || line[i].isSpace();
            if (!space && start < 0) {
                start = i;
            } else if (space && start >= 0) {
                words.insert(lowerCased(line.sliced(start, i - start)));
                start = -1;
            }
        }
    }
    return words;
}

CountedSet withoutWords(const CountedSet &words, const QSet<QString> &leftOut)
{
    std::vector<CountedSet::Entry> kept;
    kept.reserve(std::size_t(words.size()));
    for (const CountedSet::Entry &entry : words)
        if (!leftOut.contains(entry.word))
            kept.push_back(entry);
    return CountedSet::fromDistinct(std::move(kept));
}
