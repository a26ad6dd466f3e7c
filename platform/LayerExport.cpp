#include "LayerExport.h"

#include "LayerPainter.h"

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// 1 GiB of pixels; past that the allocation would fail or starve the machine.
constexpr qreal maxImagePixels = qreal(1 << 28);

// The generator writes the document's size in millimetres, which renderers convert at
// different resolutions; plain numbers are the view's points in every one of them.
QByteArray withSizeInUserUnits(const QByteArray &document, QSizeF viewSize)
{
    QString text = QString::fromUtf8(document);
    const qsizetype rootStart = text.indexOf(u"<svg"_s);
    const qsizetype rootEnd = text.indexOf(u'>', rootStart);
    if (rootStart < 0 || rootEnd < 0)
        return document;
    QString root = text.mid(rootStart, rootEnd - rootStart);
    root.replace(QRegularExpression(u"\\bwidth=\"[^\"]*\""_s),
                 u"width=\"%1\""_s.arg(QString::number(viewSize.width(), 'g', 12)));
    root.replace(QRegularExpression(u"\\bheight=\"[^\"]*\""_s),
                 u"height=\"%1\""_s.arg(QString::number(viewSize.height(), 'g', 12)));
    text.replace(rootStart, rootEnd - rootStart, root);
    return text.toUtf8();
}

} // namespace

QImage renderLayersToImage(const Layer &root, QSizeF viewSize, qreal devicePixelRatio)
{
    const qreal width = std::ceil(viewSize.width() * devicePixelRatio);
    const qreal height = std::ceil(viewSize.height() * devicePixelRatio);
    if (!(width >= 1.0 && height >= 1.0) || width * height > maxImagePixels)
        return {};
    const QSize pixels(static_cast<int>(width), static_cast<int>(height));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    // Too large to allocate: painting into the null image would crash.
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    LayerPainter::paint(painter, root, viewSize.height());
    return image;
}

QByteArray renderLayersToSvg(const Layer &root, QSizeF viewSize)
{
    QByteArray document;
    QBuffer buffer(&document);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setTitle(u"Verbarium"_s);
    generator.setDescription(QString());
    generator.setSize(QSize(qCeil(viewSize.width()), qCeil(viewSize.height())));
    generator.setViewBox(QRectF(QPointF(0.0, 0.0), viewSize));
    QPainter painter(&generator);
    painter.fillRect(QRectF(QPointF(0.0, 0.0), viewSize), Qt::white);
    LayerPainter::paint(painter, root, viewSize.height());
    painter.end();
    return withSizeInUserUnits(document, viewSize);
}
