#include "PictureOutput.h"

#include "CommandLine.h"
#include "FontCoverage.h"
#include "LayerExport.h"
#include "OutputFile.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int largestScale = 4;

// The one line a picture with missing glyphs adds, so the boxes in it are explained:
// its sizes and places are measured with them, whatever the format.
void noteScriptsWithoutFont(const Layer &root)
{
    const QStringList scripts = scriptsWithoutFont(root);
    if (scripts.isEmpty())
        return;
    CommandOutput::reportError(
        u"no installed font has the letters of %1: they are drawn as empty boxes (Debian's "
        "fonts-noto-core has fonts for most scripts)"_s.arg(scripts.join(u", "_s)));
}

} // namespace

void addPictureOptions(CommandLine &commandLine, const QStringList &formats)
{
    commandLine.addFormatOption(formats);
    commandLine.addOption(QCommandLineOption(
        u"svg-outlines"_s,
        u"Draw the words of an SVG as outlines, not as text in the embedded font."_s));
    commandLine.addOption(QCommandLineOption(
        u"scale"_s, u"Pixels per point of a PNG, from 1 to %1 (default 1)."_s.arg(largestScale),
        u"N"_s, u"1"_s));
    commandLine.addOutputOption();
}

std::optional<PictureSettings> pictureSettings(const CommandLine &commandLine)
{
    const std::optional<qint64> scale = commandLine.wholeNumber(u"scale"_s, 1, largestScale);
    if (!scale)
        return std::nullopt;
    PictureSettings settings{commandLine.format(), int(*scale), commandLine.outputPath()};
    if (commandLine.isSet(u"svg-outlines"_s)) {
        if (settings.format != u"svg") {
            commandLine.badArguments(u"--svg-outlines needs --format svg"_s);
            return std::nullopt;
        }
        settings.svgWords = SvgWords::Outlines;
    }
    if (settings.format == u"png" && outputIsTerminal(settings.outputPath)) {
        commandLine.badArguments(
            u"png is not written to a terminal: give --output PATH or redirect standard output"_s);
        return std::nullopt;
    }
    return settings;
}

int writePicture(const PictureSettings &settings, const Layer &root, QSizeF viewSize,
                 const std::function<QByteArray()> &makeJson)
{
    const bool isPicture = settings.format != u"json";
    const int scale = settings.format == u"png" ? settings.scale : 1;
    if (isPicture && !pictureFitsExportLimits(viewSize, scale)) {
        const QString perPoint = scale > 1 ? u" at %1 pixels a point"_s.arg(scale) : QString();
        CommandOutput::reportError(
            u"the %1 picture of %2 x %3 points%4 is too large: pictures "
            "have at most %5 pixels a side and %6 in all"_s.arg(settings.format)
                .arg(viewSize.width(), 0, 'g', 9)
                .arg(viewSize.height(), 0, 'g', 9)
                .arg(perPoint)
                .arg(maxPictureSide)
                .arg(maxPicturePixels));
        return 1;
    }
    QByteArray result;
    if (settings.format == u"svg") {
        result = renderLayersToSvg(root, viewSize, settings.svgWords);
    } else if (settings.format == u"png") {
        const std::optional<QByteArray> png = renderLayersToPng(root, viewSize, scale);
        if (!png) {
            CommandOutput::reportError(
                u"cannot make a PNG picture of %1 x %2 points"_s.arg(viewSize.width())
                    .arg(viewSize.height()));
            return 1;
        }
        result = *png;
    } else {
        result = makeJson();
    }
    const int status = CommandOutput::writeResult(result, settings.outputPath);
    if (status == 0)
        noteScriptsWithoutFont(root);
    return status;
}
