#include "CloudBuilder.h"
#include "CloudRowLayout.h"
#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "FileParser.h"
#include "JsonWriter.h"
#include "PictureOutput.h"
#include "TextLayer.h"
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
    for (const TextLayer *layer : picture.cloud.layers) {
        const AttributedString &string = layer->string();
        json.beginObject();
        json.field(u"word", layer->name());
        json.field(u"count", picture.words.value(layer->name()));
        json.field(u"fontSize", static_cast<float>(string.fontSize));
        json.field(u"color", string.color.value_or(QColor(Qt::black)).name(QColor::HexRgb));
        json.boxFields(layer->position(), layer->bounds().size());
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
        u"cloud [FILE|-] [--width W] [--height H] [--seed N] [--format json|svg|png] "
        "[--svg-outlines] [--scale N] [--output PATH]"_s,
        u"Builds the word cloud of the text for a visible area of W x H points and writes it.\n"
        "json: {\"width\", \"height\", \"verticalScroller\", \"layers\": [{\"word\", \"count\",\n"
        "\"fontSize\", \"color\", \"x\", \"y\", \"width\", \"height\"}, ...]}, alphabetical, x and "
        "y\n"
        "the left middle of each word with y upward. svg and png: the picture of the whole\n"
        "view; png goes to standard output only when that is not a terminal."_s);
    commandLine.addViewSizeOptions();
    commandLine.addOption(QCommandLineOption(
        u"seed"_s, u"Seed the colours' random numbers with N (unseeded by default)."_s, u"N"_s));
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

    const std::optional<QString> text = readCommandInput(commandLine.inputPath());
    if (!text)
        return 1;

    CloudPicture picture;
    picture.words = FileParser().inputStrings(*text);
    const FontMetricsMeasurer measurer;
    StdRandomSource random;
    picture.cloud = buildCloudLayers(picture.words, measurer, random);
    // The view starts at the visible area's size, as a new cloud window does.
    picture.fit = fitCloudToView(*picture.cloud.root, picture.cloud.layers,
                                 float(visibleArea->width()), QSizeF(*visibleArea));

    return writePicture(*settings, *picture.cloud.root, picture.fit.viewSize,
                        [&picture] { return cloudAsJson(picture); });
}
