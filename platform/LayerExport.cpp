#include "LayerExport.h"

#include "LayerPainter.h"
#include "SvgText.h"

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <cmath>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// The generator writes the document's size in millimetres, which renderers convert at
// different resolutions; plain numbers are the view's points in every one of them.
void setSizeInUserUnits(QString &document, QSizeF viewSize)
{
    const qsizetype rootStart = document.indexOf(u"<svg"_s);
    const qsizetype rootEnd = document.indexOf(u'>', rootStart);
    if (rootStart < 0 || rootEnd < 0)
        return;
    QString root = document.mid(rootStart, rootEnd - rootStart);
    root.replace(QRegularExpression(u"\\bwidth=\"[^\"]*\""_s),
                 u"width=\"%1\""_s.arg(QString::number(viewSize.width(), 'g', 12)));
    root.replace(QRegularExpression(u"\\bheight=\"[^\"]*\""_s),
                 u"height=\"%1\""_s.arg(QString::number(viewSize.height(), 'g', 12)));
    document.replace(rootStart, rootEnd - rootStart, root);
}

// The generator opens a group for every change of the painter's state, drawn in or
// not; a picture of many words would be mostly empty groups.
void removeEmptyGroups(QString &document)
{
    static const QRegularExpression emptyGroup(u"<g\\b[^>]*>\\s*</g>\\s*"_s);
    document.remove(emptyGroup);
}

// The words go last, above everything the generator drew.
void addWords(QString &document, const QString &words)
{
    const qsizetype end = document.lastIndexOf(u"</svg>"_s);
    if (end >= 0)
        document.insert(end, words);
}

} // namespace

bool pictureFitsExportLimits(QSizeF viewSize, qreal devicePixelRatio)
{
    const qreal width = std::ceil(viewSize.width() * devicePixelRatio);
    const qreal height = std::ceil(viewSize.height() * devicePixelRatio);
    // Written so that NaN fails every test.
    return width >= 1.0 && height >= 1.0 && width <= qreal(maxPictureSide) &&
           height <= qreal(maxPictureSide) && width * height <= qreal(maxPicturePixels);
}

QImage renderLayersToImage(const Layer &root, QSizeF viewSize, qreal devicePixelRatio)
{
    if (!pictureFitsExportLimits(viewSize, devicePixelRatio))
        return {};
    const QSize pixels(static_cast<int>(std::ceil(viewSize.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(viewSize.height() * devicePixelRatio)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    // Too large to allocate: painting into the null image would crash.
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    LayerPainter::paint(painter, root, viewSize.height(), QRectF(QPointF(0.0, 0.0), viewSize));
    return image;
}

std::optional<QByteArray> renderLayersToPng(const Layer &root, QSizeF viewSize,
                                            qreal devicePixelRatio)
{
    const QImage image = renderLayersToImage(root, viewSize, devicePixelRatio);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes;
}

QByteArray renderLayersToSvg(const Layer &root, QSizeF viewSize, SvgWords words)
{
    if (!pictureFitsExportLimits(viewSize))
        return {};
    QByteArray document;
    QBuffer buffer(&document);
    // Text layers keep their words as text on a text generator, and outline them on a
    // plain one.
    const std::unique_ptr<QSvgGenerator> generator = words == SvgWords::Text
                                                         ? std::make_unique<SvgTextGenerator>()
                                                         : std::make_unique<QSvgGenerator>();
    generator->setOutputDevice(&buffer);
    generator->setTitle(u"Verbarium"_s);
    generator->setDescription(QString());
    generator->setSize(QSize(qCeil(viewSize.width()), qCeil(viewSize.height())));
    generator->setViewBox(QRectF(QPointF(0.0, 0.0), viewSize));
    QPainter painter(generator.get());
    const QRectF view(QPointF(0.0, 0.0), viewSize);
    painter.fillRect(view, Qt::white);
    // Layers wholly outside the view would only make the document larger.
    LayerPainter::paint(painter, root, viewSize.height(), view);
    painter.end();

    QString text = QString::fromUtf8(document);
    setSizeInUserUnits(text, viewSize);
    removeEmptyGroups(text);
    if (auto *textGenerator = dynamic_cast<SvgTextGenerator *>(generator.get()))
        addWords(text, textGenerator->text().toSvg());
    return text.toUtf8();
}
