#include "CloudBuilder.h"
#include "CloudRowLayout.h"
#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "CommonWords.h"
#include "JsonWriter.h"
#include "LeaveOutOption.h"
#include "PictureOutput.h"
#include "StandardStreams.h"
#include "TextAnalysis.h"
#include "TextFile.h"
#include "TextLayer.h"
#include "WordCloud.h"
#include "WordColor.h"

#include <cstdlib>
#include <limits>

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

} // namespace

int cloudCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"cloud"_s,
        u"cloud [FILE|DIR...|-] [--width W] [--height H] [--seed N] [--format json|svg|png] "
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
    addLeaveOutOption(commandLine, u"sizes and limits apply to the rest."_s);
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
    if (const std::optional<QString> problem =
            leaveOutProblem(commandLine, commandLine.inputSources()))
        return commandLine.badArguments(*problem);

    const std::optional<QSet<QString>> leftOut = leftOutWords(commandLine);
    if (!leftOut)
        return 1;
    const std::optional<CommandText> text =
        followCommandText(commandTextPath(commandLine.inputSources()));
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
