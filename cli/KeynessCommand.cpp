#include "CloudRowLayout.h"
#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "CsvWriter.h"
#include "JsonWriter.h"
#include "Keyness.h"
#include "KeynessCloud.h"
#include "LeaveOutOption.h"
#include "PictureOutput.h"
#include "TextAnalysis.h"
#include "TextLayer.h"

#include <QLocale>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The words of the text at path, counted as the analysis counts them; nothing, after
// reporting the problem, when it cannot be read or has no words.
std::shared_ptr<const CountedSet> countedWordsOf(const QString &path)
{
    const std::optional<CommandText> text = followCommandText(commandTextPath({path}));
    if (!text)
        return nullptr;
    if (text->analysis->allWords->isEmpty()) {
        const QString name = path == u"-" ? u"standard input"_s : path;
        CommandOutput::reportError(u"%1: has no words to compare"_s.arg(name));
        return nullptr;
    }
    return text->analysis->allWords;
}

QString decimal(double number)
{
    return QString::number(number, 'g', QLocale::FloatingPointShortest);
}

QByteArray keynessAsCsv(const std::vector<KeywordRow> &rows)
{
    CsvWriter csv;
    csv.row({u"word"_s, u"countA"_s, u"countB"_s, u"ll"_s, u"logRatio"_s});
    for (const KeywordRow &row : rows)
        csv.row({row.word, QString::number(row.countA), QString::number(row.countB),
                 decimal(row.logLikelihood), decimal(row.logRatio)});
    return csv.toUtf8();
}

QByteArray keynessAsJson(const std::vector<KeywordRow> &rows, qsizetype wordsA, qsizetype wordsB,
                         double minimumLogLikelihood)
{
    JsonWriter json;
    json.beginObject();
    json.field(u"wordsA", qint64(wordsA));
    json.field(u"wordsB", qint64(wordsB));
    json.field(u"minLL", minimumLogLikelihood);
    json.key(u"words");
    json.beginArray();
    for (const KeywordRow &row : rows) {
        json.beginObject();
        json.field(u"word", row.word);
        json.field(u"countA", qint64(row.countA));
        json.field(u"countB", qint64(row.countB));
        json.field(u"ll", row.logLikelihood);
        json.field(u"logRatio", row.logRatio);
        json.field(u"significant", row.logLikelihood >= minimumLogLikelihood);
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.toUtf8();
}

// --min-ll's value: a number of 0 or more; nothing, after reporting bad arguments.
std::optional<double> minimumLogLikelihood(const CommandLine &commandLine)
{
    if (!commandLine.isSet(u"min-ll"_s))
        return Significance::p01;
    const QString text = commandLine.value(u"min-ll"_s);
    bool isNumber = false;
    const double value = text.toDouble(&isNumber);
    if (isNumber && std::isfinite(value) && value >= 0.0)
        return value;
    commandLine.badArguments(u"--min-ll needs a number of 0 or more, not '%1'"_s.arg(text));
    return std::nullopt;
}

} // namespace

int keynessCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"keyness"_s,
        u"keyness A B [--min-ll X] [--format csv|json|svg|png] [--leave-out LANGUAGE|FILE] "
        "[--width W] [--height H] [--gap] [--svg-outlines] [--scale N] [--output PATH]"_s,
        u"Compares the words of text A with those of text B (either may be - for standard\n"
        "input): how markedly A uses each word more or less than B.\n"
        "ll: the log-likelihood G2 (3.84 is p < 0.05, 6.63 p < 0.01, 10.83 p < 0.001);\n"
        "logRatio: log2 of the word's relative frequency in A over that in B, a count of 0\n"
        "taken as 0.5 (+1: twice as often in A; -1: twice as often in B).\n"
        "csv: word,countA,countB,ll,logRatio rows, ll descending (the significant words\n"
        "first), then word ascending.\n"
        "json: {\"wordsA\", \"wordsB\", \"minLL\", \"words\": [{\"word\", \"countA\", \"countB\",\n"
        "\"ll\", \"logRatio\", \"significant\"}, ...]} in the same order.\n"
        "svg and png: the keyness cloud, the words with ll of X or more, sized by their log\n"
        "ratio: those A uses more in blue, those B uses more in orange."_s);
    commandLine.setLargestInputCount(2);
    commandLine.addViewSizeOptions();
    commandLine.addOption(QCommandLineOption(
        u"min-ll"_s,
        u"The log-likelihood from which a difference counts as significant (default %1)."_s.arg(
            Significance::p01),
        u"X"_s));
    commandLine.addOption(QCommandLineOption(u"gap"_s, u"Set the words apart by a small gap."_s));
    addLeaveOutOption(commandLine, u"the cloud shows the rest; the table keeps every word."_s);
    addPictureOptions(commandLine, {u"csv"_s, u"json"_s, u"svg"_s, u"png"_s});
    if (const auto status = commandLine.parse(arguments))
        return *status;

    const QStringList inputs = commandLine.inputPaths();
    if (inputs.size() != 2)
        return commandLine.badArguments(u"keyness compares two texts: give A and B"_s);
    if (namesStandardInput(inputs[0]) && namesStandardInput(inputs[1]))
        return commandLine.badArguments(u"A and B cannot both be read from standard input"_s);
    const std::optional<QSize> visibleArea = commandLine.viewSize();
    if (!visibleArea)
        return 2;
    const std::optional<double> minimum = minimumLogLikelihood(commandLine);
    if (!minimum)
        return 2;
    const std::optional<PictureSettings> settings = pictureSettings(commandLine);
    if (!settings)
        return 2;
    if (const std::optional<QString> problem = leaveOutProblem(commandLine, inputs))
        return commandLine.badArguments(*problem);

    const std::optional<QSet<QString>> leftOut = leftOutWords(commandLine);
    if (!leftOut)
        return 1;
    const std::shared_ptr<const CountedSet> wordsA = countedWordsOf(inputs[0]);
    if (!wordsA)
        return 1;
    const std::shared_ptr<const CountedSet> wordsB = countedWordsOf(inputs[1]);
    if (!wordsB)
        return 1;
    const std::vector<KeywordRow> rows = compareWordCounts(*wordsA, *wordsB);

    if (settings->format == u"csv")
        return CommandOutput::writeResult(keynessAsCsv(rows), settings->outputPath);
    if (settings->format == u"json")
        return CommandOutput::writeResult(
            keynessAsJson(rows, wordsCounted(*wordsA), wordsCounted(*wordsB), *minimum),
            settings->outputPath);
    const FontMetricsMeasurer measurer;
    BuiltCloud cloud = buildKeynessCloud(rows, *minimum, *leftOut, measurer);
    const float gap = commandLine.isSet(u"gap"_s) ? CloudRowLayout::wordGap : 0.0f;
    const CloudFit fit =
        fitCloudToView(cloud, float(visibleArea->width()), QSizeF(*visibleArea), {}, gap);
    return writePicture(*settings, *cloud.root, fit.viewSize, [] { return QByteArray(); });
}
