#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringView>

// Writes compact JSON text in the order of the calls: object keys stay in the
// order they were written. Strings are escaped as RFC 8259 requires; lone
// surrogates are kept as \u escapes rather than replaced.
class JsonWriter
{
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(QStringView name);

    void value(QStringView text);
    void value(const QString &text) { value(QStringView(text)); }
    void value(const char16_t *text) { value(QStringView(text)); }
    void value(qint64 number);
    void value(int number) { value(qint64(number)); }
    // Shortest form that reads back to the same float; null when not finite.
    void value(float number);
    // Shortest form that reads back to the same double; null when not finite.
    void value(double number);
    void value(bool flag);
    void nullValue();
    // A string value written in pieces, for text too long to be held twice: each piece
    // goes out with takeWrittenUtf8() as it comes. A surrogate pair may not be split
    // between two pieces (each half would be written as a lone one).
    void beginString();
    void stringPiece(QStringView piece);
    void endString();

    template<typename T> void field(QStringView name, const T &fieldValue)
    {
        key(name);
        value(fieldValue);
    }

    // The fields "x", "y", "width" and "height" of a box, in single precision as the
    // layouts compute them.
    void boxFields(QPointF origin, QSizeF size);

    // The finished document in UTF-8, ending in a line break.
    QByteArray toUtf8() const;
    // What was written since the last call, which the writer forgets: a long document
    // goes out in pieces, and toUtf8() then gives the rest.
    QByteArray takeWrittenUtf8();

    static QString quoted(QStringView text);

private:
    void beforeValue();
    static void appendQuoted(QString &out, QStringView text);
    static void appendEscaped(QString &out, QStringView text);

    QString m_text;
    // One flag per open object or array: whether it has an element yet.
    QList<bool> m_hasElement;
    bool m_afterKey = false;
};
