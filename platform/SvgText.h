#pragma once

#include "VisibleText.h"

#include <QColor>
#include <QRawFont>
#include <QSet>
#include <QStringList>
#include <QSvgGenerator>
#include <memory>
#include <optional>
#include <vector>

class QFont;
class QPaintDevice;
class QTextLine;

// The words of an SVG picture kept as text, so they can be searched, selected and
// edited: each word a <text> element whose baseline starts where painting puts it,
// set in the faces Qt draws it with. The document carries those faces as subsets of
// exactly the characters and glyphs drawn with them, so it looks the same wherever it
// is opened; a renderer that ignores embedded fonts finds the installed faces by their
// names.
//
// A word Qt set unshaped, one glyph a character, has each character placed where Qt
// placed it, so that no renderer shapes it into something else (a face's contextual
// forms, kerning). A word with a character no face has, or set in a face that cannot be
// embedded, is drawn as its outlines, named by an aria-label: the picture stays the
// same, as the PNG's, with boxes where glyphs are missing.
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
        bool embeddable = false;
        QSet<char32_t> codePoints;
        QSet<quint32> glyphs;
    };

    // One character of a word and the glyph Qt drew it with.
    struct DrawnCharacter
    {
        QString text;     // one code point
        Face *face;       // non-owning: an element of m_faces
        QPointF position; // of its glyph, from the start of the baseline
        bool nominal;     // one glyph, the face's own for the character
    };

    // Each character of text in order, or nothing when one cannot be carried as text.
    std::optional<std::vector<DrawnCharacter>> drawnCharacters(const QString &text,
                                                               const QTextLine &line);
    Face *faceOf(const QRawFont &font);
    void openGroup(const std::vector<DrawnCharacter> &characters, const QFont &font);
    void addOutline(const PlacedText &placed, const QTextLine &line, const QString &fill);
    QString fontFaceRules() const;

    QPaintDevice *m_device;                     // non-owning
    std::vector<std::unique_ptr<Face>> m_faces; // each face once, at a fixed address
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
