#include "CloudBuilder.h"
#include "CloudRowLayout.h"
#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "CommonWords.h"
#include "JsonWriter.h"
#include "PictureOutput.h"
#include "StandardStreams.h"
#include "TextAnalysis.h"
#include "TextFile.h"
#include "TextLayer.h"
#include "WordCloud.h"
#include "WordColor.h"

#include <QFile>
#include <cstdlib>
#include <limits>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct CloudPicture
{
    WordDictionary words;
    BuiltCloud cloud;
    CloudFit fit;
};

QByteArray cloudAsJson(const CloudPicture &picture)
{
    JsonWriter json;
    json.beginObject();
    json.field(u"width", static_cast<float>(picture.fit.viewSize.width()));
    json.field(u"height", static_cast<float>(picture.fit.viewSize.height()));
    json.field(u"verticalScroller", picture.fit.verticalScroller);
    json.key(u"layers");
    json.beginArray();
    for (const CloudWord &word : picture.cloud.words) {
        json.beginObject();
        json.field(u"word", word.word());
        json.field(u"count", word.count);
        json.field(u"fontSize", static_cast<float>(word.string.fontSize));
        json.field(u"color", word.string.color.value_or(QColor(Qt::black)).name(QColor::HexRgb));
        json.boxFields(word.position, word.size);
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.toUtf8();
}

QString languageCodes()
{
    QStringList codes;
    for (const CommonWordLanguage &language : commonWordLanguages())
        codes << language.code;
    codes.sort();
    return codes.join(u", "_s);
}

// Whether the argument names the process's standard input: "-" as an input, or one of
// the system's names for it.
bool namesStandardInput(const QString &path, bool dashToo)
{
    return (dashToo && path == u"-") ||
           StandardStreams::streamNamedBy(QFile::encodeName(path)) == STDIN_FILENO;
}

// The problem with --leave-out's value that makes it a usage error, if any.
std::optional<QString> leaveOutProblem(const CommandLine &commandLine)
{
    if (!commandLine.isSet(u"leave-out"_s))
        return std::nullopt;
    const QString choice = commandLine.value(u"leave-out"_s);
    if (choice.isEmpty())
        return u"--leave-out needs a language (%1) or a file"_s.arg(languageCodes());
    // One stream cannot be read twice: the list would take the text, or the text nothing.
    if (namesStandardInput(choice, false) && namesStandardInput(commandLine.inputPath(), true))
        return u"--leave-out and the text cannot both be read from standard input"_s;
    return std::nullopt;
}

// The words --leave-out names: a language's list, or a file's; nothing, after reporting
// the problem, when the file cannot be read.
std::optional<QSet<QString>> leftOutWords(const CommandLine &commandLine)
{
    if (!commandLine.isSet(u"leave-out"_s))
        return QSet<QString>();
    const QString choice = commandLine.value(u"leave-out"_s);
    for (const CommonWordLanguage &language : commonWordLanguages())
        if (language.code == choice)
            return commonWordsOf(choice);
    const TextFile file = readUtf8TextFile(choice);
    if (!file.error.isEmpty()) {
        // A bare name may have been meant as a language.
        CommandOutput::reportError(
            choice.contains(u'/')
                ? file.error
                : u"%1 (the languages with a list are %2)"_s.arg(file.error, languageCodes()));
        return std::nullopt;
    }
    return parseWordList(file.text);
}

} // namespace

int cloudCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"cloud"_s,
        u"cloud [FILE|-] [--width W] [--height H] [--seed N] [--format json|svg|png] "
        "[--gap] [--contrast] [--leave-out LANGUAGE|FILE] [--svg-outlines] [--scale N] "
        "[--output PATH]"_s,
        u"Builds the word cloud of the text for a visible area of W x H points and writes it.\n"
        "json: {\"width\", \"height\", \"verticalScroller\", \"layers\": [{\"word\", \"count\",\n"
        "\"fontSize\", \"color\", \"x\", \"y\", \"width\", \"height\"}, ...]}, alphabetical, x and "
        "y\n"
        "the left middle of each word with y upward. svg and png: the picture of the whole\n"
        "view; png goes to standard output only when that is not a terminal."_s);
    commandLine.addViewSizeOptions();
    commandLine.addOption(QCommandLineOption(
        u"seed"_s, u"Seed the colours' random numbers with N (unseeded by default)."_s, u"N"_s));
    commandLine.addOption(QCommandLineOption(u"gap"_s, u"Set the words apart by a small gap."_s));
    commandLine.addOption(QCommandLineOption(
        u"contrast"_s, u"Darken colours to at least 3:1 contrast on the white ground."_s));
    commandLine.addOption(QCommandLineOption(
        u"leave-out"_s,
        u"Leave out a language's common words (%1) or the words of FILE (plain UTF-8 text, "
        "words separated by white space, '#' starts a comment line); sizes and limits "
        "apply to the rest."_s.arg(languageCodes()),
        u"LANGUAGE|FILE"_s));
    addPictureOptions(commandLine);
    if (const auto status = commandLine.parse(arguments))
        return *status;

    const std::optional<QSize> visibleArea = commandLine.viewSize();
    if (!visibleArea)
        return 2;
    if (commandLine.isSet(u"seed"_s)) {
        const std::optional<qint64> seed =
            commandLine.wholeNumber(u"seed"_s, 0, std::numeric_limits<uint>::max());
        if (!seed)
            return 2;
        std::srand(uint(*seed));
    }
    const std::optional<PictureSettings> settings = pictureSettings(commandLine);
    if (!settings)
        return 2;
    if (const std::optional<QString> problem = leaveOutProblem(commandLine))
        return commandLine.badArguments(*problem);

    const std::optional<QSet<QString>> leftOut = leftOutWords(commandLine);
    if (!leftOut)
        return 1;
    const std::optional<CommandText> text =
        followCommandText(commandTextPath(commandLine.inputPath()));
    if (!text)
        return 1;

    CloudPicture picture;
    picture.words =
        leftOut->isEmpty()
            ? text->analysis->words
            : WordCloud(withoutWords(*text->analysis->allWords, *leftOut)).wordCloudElements();
    const FontMetricsMeasurer measurer;
    StdRandomSource random;
    picture.cloud = buildCloudLayers(picture.words, measurer, random,
                                     CloudStyle{commandLine.isSet(u"contrast"_s)});
    // The view starts at the visible area's size, as a new cloud window does.
    const float gap = commandLine.isSet(u"gap"_s) ? CloudRowLayout::wordGap : 0.0f;
    picture.fit =
        fitCloudToView(picture.cloud, float(visibleArea->width()), QSizeF(*visibleArea), {}, gap);

    return writePicture(*settings, *picture.cloud.root, picture.fit.viewSize,
                        [&picture] { return cloudAsJson(picture); });
}
