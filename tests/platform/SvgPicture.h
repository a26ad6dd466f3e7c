#pragma once

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QStringList>
#include <vector>

// What an exported SVG picture carries, read back as a renderer would read it.
namespace SvgPicture {

struct Word
{
    QString text;
    QPointF baseline; // where the baseline starts, in user units
    qreal fontSize = 0.0;
    QString fill;
    QStringList families; // in the order a renderer tries them
};

struct Face
{
    QString family;
    QByteArray font; // the embedded OpenType font
};

struct Contents
{
    std::vector<Word> words;
    std::vector<Face> faces;
    QStringList outlinedWords; // the names of the words drawn as outlines
};

// Fails the test where the document is not well-formed XML.
Contents read(const QByteArray &svg);

// The SVG drawn by rsvg-convert on white, of viewSize pixels, with its embedded faces
// as the only fonts installed: what the words look like comes from the file alone.
QImage renderedWithEmbeddedFaces(const QByteArray &svg, QSize viewSize);
// The same with the fonts installed here, which rsvg-convert takes instead of the
// embedded ones, as many renderers do.
QImage renderedWithInstalledFonts(const QByteArray &svg, QSize viewSize);

} // namespace SvgPicture
