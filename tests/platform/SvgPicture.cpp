#include "SvgPicture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace SvgPicture {

namespace {

QStringList familyList(QStringView attribute)
{
    QStringList families;
    for (const QString &family : attribute.toString().split(u','))
        families << family.trimmed().remove(u'\'');
    return families;
}

std::vector<Face> facesIn(const QString &style)
{
    static const QRegularExpression rule(
        u"@font-face\\{font-family:'([^']*)';[^}]*base64,([^)]*)\\)"_s);
    std::vector<Face> faces;
    for (const QRegularExpressionMatch &match : rule.globalMatch(style))
        faces.push_back({match.captured(1), QByteArray::fromBase64(match.captured(2).toLatin1())});
    return faces;
}

} // namespace

Contents read(const QByteArray &svg)
{
    Contents contents;
    QXmlStreamReader reader(svg);
    QStringList families;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == u"g" && attributes.hasAttribute(u"font-family"_s)) {
            families = familyList(attributes.value(u"font-family"_s));
        } else if (reader.name() == u"style") {
            contents.faces = facesIn(reader.readElementText());
        } else if (reader.name() == u"text") {
            Word word{{},
                      {attributes.value(u"x"_s).toDouble(), attributes.value(u"y"_s).toDouble()},
                      attributes.value(u"font-size"_s).toDouble(),
                      attributes.value(u"fill"_s).toString(),
                      families};
            // A word set unshaped has a <tspan> for each character after its first.
            word.text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            contents.words.push_back(word);
        } else if (reader.name() == u"path" && attributes.hasAttribute(u"aria-label"_s)) {
            contents.outlinedWords << attributes.value(u"aria-label"_s).toString();
        }
    }
    if (reader.hasError())
        ADD_FAILURE() << "not well-formed: " << reader.errorString().toStdString();
    return contents;
}

namespace {

QImage rendered(const QByteArray &svg, QSize viewSize, bool embeddedFacesOnly)
{
    QTemporaryDir directory;
    const auto write = [&directory](const QString &name, const QByteArray &bytes) {
        QFile file(directory.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (embeddedFacesOnly) {
        int index = 0;
        for (const Face &face : read(svg).faces)
            write(u"face%1.otf"_s.arg(index++), face.font);
        write(u"fonts.conf"_s,
              u"<fontconfig><dir>%1</dir><cachedir>%1/cache</cachedir></fontconfig>"_s
                  .arg(directory.path())
                  .toUtf8());
        environment.insert(u"FONTCONFIG_FILE"_s, directory.filePath(u"fonts.conf"_s));
    }
    write(u"picture.svg"_s, svg);

    QProcess rsvg;
    rsvg.setProcessEnvironment(environment);
    rsvg.start(u"rsvg-convert"_s,
               {u"--background-color=white"_s, u"--width"_s, QString::number(viewSize.width()),
                u"--height"_s, QString::number(viewSize.height()), u"--output"_s,
                directory.filePath(u"picture.png"_s), directory.filePath(u"picture.svg"_s)});
    if (!rsvg.waitForFinished(60000) || rsvg.exitCode() != 0)
        qWarning("rsvg-convert failed: %s", rsvg.readAllStandardError().constData());
    return QImage(directory.filePath(u"picture.png"_s));
}

} // namespace

QImage renderedWithEmbeddedFaces(const QByteArray &svg, QSize viewSize)
{
    return rendered(svg, viewSize, true);
}

QImage renderedWithInstalledFonts(const QByteArray &svg, QSize viewSize)
{
    return rendered(svg, viewSize, false);
}

} // namespace SvgPicture
