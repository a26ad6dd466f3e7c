#include "PictureOutput.h"

#include "CommandLine.h"
#include "LayerExport.h"

#include <QBuffer>
#include <QImage>

using namespace Qt::Literals::StringLiterals;

namespace {

// Nothing when the image cannot be made, e.g. too large to allocate.
std::optional<QByteArray> pngOf(const Layer &root, QSizeF viewSize)
{
    const QImage image = renderLayersToImage(root, viewSize);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes;
}

} // namespace

int writePicture(const CommandLine &commandLine, const Layer &root, QSizeF viewSize,
                 const std::function<QByteArray()> &makeJson)
{
    QByteArray result;
    if (commandLine.format() == u"svg") {
        result = renderLayersToSvg(root, viewSize);
    } else if (commandLine.format() == u"png") {
        const std::optional<QByteArray> png = pngOf(root, viewSize);
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
    return CommandOutput::writeResult(result, commandLine.outputPath()) ? 0 : 1;
}
