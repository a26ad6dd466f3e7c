#include "CloudBuilder.h"
#include "CloudRowLayout.h"
#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "FileParser.h"
#include "JsonWriter.h"
#include "LayerExport.h"
#include "TextLayer.h"
#include "WordColor.h"

#include <QBuffer>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

// Beyond this a picture of the view would need gigabytes.
constexpr int largestViewSide = 100000;

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
        json.field(u"x", static_cast<float>(layer->position().x()));
        json.field(u"y", static_cast<float>(layer->position().y()));
        json.field(u"width", static_cast<float>(layer->bounds().width()));
        json.field(u"height", static_cast<float>(layer->bounds().height()));
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.toUtf8();
}

// Nothing when the image cannot be made, e.g. too large to allocate.
std::optional<QByteArray> cloudAsPng(const CloudPicture &picture)
{
    const QImage image = renderLayersToImage(*picture.cloud.root, picture.fit.viewSize);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes;
}

// Views are whole points in size, as the app's widgets are.
std::optional<int> viewSide(const CommandLine &commandLine, const QString &option)
{
    bool ok = false;
    const int side = commandLine.value(option).toInt(&ok);
    if (!ok || side < 1 || side > largestViewSide)
        return std::nullopt;
    return side;
}

} // namespace

int cloudCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"cloud"_s,
        u"cloud [FILE|-] [--width W] [--height H] [--seed N] [--format json|svg|png] "
        "[--output PATH]"_s,
        u"Builds the word cloud of the text for a visible area of W x H points and writes it.\n"
        "json: {\"width\", \"height\", \"verticalScroller\", \"layers\": [{\"word\", \"count\",\n"
        "\"fontSize\", \"color\", \"x\", \"y\", \"width\", \"height\"}, ...]}, alphabetical, x and "
        "y\n"
        "the left middle of each word with y upward. svg and png: the picture of the whole\n"
        "view; png needs --output."_s);
    commandLine.addOption(QCommandLineOption(
        u"width"_s, u"Width of the visible area in points (default 800)."_s, u"W"_s, u"800"_s));
    commandLine.addOption(QCommandLineOption(
        u"height"_s, u"Height of the visible area in points (default 600)."_s, u"H"_s, u"600"_s));
    commandLine.addOption(QCommandLineOption(
        u"seed"_s, u"Seed the colours' random numbers with N (unseeded by default)."_s, u"N"_s));
    commandLine.addFormatOption({u"json"_s, u"svg"_s, u"png"_s});
    commandLine.addOutputOption();
    if (const auto status = commandLine.parse(arguments))
        return *status;

    const std::optional<int> width = viewSide(commandLine, u"width"_s);
    if (!width)
        return commandLine.badArguments(u"--width needs a whole number from 1 to 100000"_s);
    const std::optional<int> height = viewSide(commandLine, u"height"_s);
    if (!height)
        return commandLine.badArguments(u"--height needs a whole number from 1 to 100000"_s);
    if (commandLine.isSet(u"seed"_s)) {
        bool ok = false;
        const uint seed = commandLine.value(u"seed"_s).toUInt(&ok);
        if (!ok)
            return commandLine.badArguments(u"--seed needs a whole number from 0 to 4294967295"_s);
        std::srand(seed);
    }
    if (commandLine.format() == u"png" && commandLine.outputPath().isEmpty())
        return commandLine.badArguments(u"png needs --output PATH"_s);

    const std::optional<QString> text = readCommandInput(commandLine.inputPath());
    if (!text)
        return 1;

    CloudPicture picture;
    picture.words = FileParser().inputStrings(*text);
    const FontMetricsMeasurer measurer;
    StdRandomSource random;
    picture.cloud = buildCloudLayers(picture.words, measurer, random);
    // The view starts at the visible area's size, as a new cloud window does.
    picture.fit =
        fitCloudToView(*picture.cloud.root, picture.cloud.layers, QSizeF(*width, *height));

    QByteArray result;
    if (commandLine.format() == u"svg") {
        result = renderLayersToSvg(*picture.cloud.root, picture.fit.viewSize);
    } else if (commandLine.format() == u"png") {
        const std::optional<QByteArray> png = cloudAsPng(picture);
        if (!png) {
            CommandOutput::reportError(
                u"cannot make a PNG picture of %1 x %2 points"_s.arg(picture.fit.viewSize.width())
                    .arg(picture.fit.viewSize.height()));
            return 1;
        }
        result = *png;
    } else {
        result = cloudAsJson(picture);
    }
    return CommandOutput::writeResult(result, commandLine.outputPath()) ? 0 : 1;
}
