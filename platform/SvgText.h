#pragma once

#include "VisibleText.h"

#include <QColor>
#include <QRawFont>
#include <QSet>
#include <QStringList>
#include <QSvgGenerator>
#include <vector>

class QFont;
class QPaintDevice;

// The words of an SVG picture kept as text, so they can be searched, selected and
// edited: each word a <text> element whose baseline starts where painting puts it,
// set in the faces Qt draws it with. The document carries those faces as subsets of
// exactly the characters drawn with them, so it looks the same wherever it is opened;
// a renderer that ignores embedded fonts finds the installed faces by their names.
class SvgText
{
public:
    // Words are laid out on device, as painting does; it outlives this object.
    explicit SvgText(QPaintDevice *device)
        : m_device(device)
    {}

    // placed.origin is in the document's user units; font is resolved for the device.
    void addText(const PlacedText &placed, const QFont &font, const QColor &color);

    // A <style> element with the faces, then the words in the order they were added;
    // empty when there are none.
    QString toSvg() const;

private:
    struct Face
    {
        QRawFont font;
        QSet<char32_t> codePoints;
    };

    // The families that draw text, in the order font prefers them; notes each
    // character in the face that draws it.
    QStringList recordFaces(const QString &text, const QFont &font);
    Face &faceOf(const QRawFont &font);
    QString fontFaceRules() const;

    QPaintDevice *m_device; // non-owning
    std::vector<Face> m_faces;
    QString m_elements;
    QString m_groupAttributes; // of the group of words open at the end of m_elements
};

// An SVG generator on which text layers keep their words as text (see SvgText).
class SvgTextGenerator : public QSvgGenerator
{
public:
    SvgText &text() { return m_text; }

private:
    SvgText m_text{this};
};
