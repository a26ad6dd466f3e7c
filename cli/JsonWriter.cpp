#include "JsonWriter.h"

#include <QLocale>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasElement.isEmpty()) {
        if (m_hasElement.last())
            m_text += u',';
        m_hasElement.last() = true;
    }
}

void JsonWriter::beginObject()
{
    beforeValue();
    m_text += u'{';
    m_hasElement.append(false);
}

void JsonWriter::endObject()
{
    Q_ASSERT(!m_hasElement.isEmpty() && !m_afterKey);
    m_hasElement.removeLast();
    m_text += u'}';
}

void JsonWriter::beginArray()
{
    beforeValue();
    m_text += u'[';
    m_hasElement.append(false);
}

void JsonWriter::endArray()
{
    Q_ASSERT(!m_hasElement.isEmpty());
    m_hasElement.removeLast();
    m_text += u']';
}

void JsonWriter::key(QStringView name)
{
    Q_ASSERT(!m_hasElement.isEmpty() && !m_afterKey);
    beforeValue();
    appendQuoted(m_text, name);
    m_text += u':';
    m_afterKey = true;
}

void JsonWriter::value(QStringView text)
{
    beforeValue();
    appendQuoted(m_text, text);
}

void JsonWriter::value(qint64 number)
{
    beforeValue();
    m_text += QString::number(number);
}

void JsonWriter::value(float number)
{
    if (!std::isfinite(number))
        return nullValue();
    beforeValue();
    // The fewest significant digits that read back to the same float; 9 always do.
    for (int precision = 6; precision <= 9; ++precision) {
        const QString digits = QString::number(number, 'g', precision);
        if (digits.toFloat() == number || precision == 9) {
            m_text += digits;
            return;
        }
    }
}

void JsonWriter::value(double number)
{
    if (!std::isfinite(number))
        return nullValue();
    beforeValue();
    m_text += QString::number(number, 'g', QLocale::FloatingPointShortest);
}

void JsonWriter::value(bool flag)
{
    beforeValue();
    m_text += flag ? u"true"_s : u"false"_s;
}

void JsonWriter::nullValue()
{
    beforeValue();
    m_text += u"null"_s;
}

void JsonWriter::boxFields(QPointF origin, QSizeF size)
{
    field(u"x", float(origin.x()));
    field(u"y", float(origin.y()));
    field(u"width", float(size.width()));
    field(u"height", float(size.height()));
}

QByteArray JsonWriter::toUtf8() const
{
    Q_ASSERT(m_hasElement.isEmpty());
    QByteArray bytes = m_text.toUtf8();
    bytes.append('\n');
    return bytes;
}

QByteArray JsonWriter::takeWrittenUtf8()
{
    const QByteArray bytes = m_text.toUtf8();
    m_text.clear();
    return bytes;
}

void JsonWriter::beginString()
{
    beforeValue();
    m_text += u'"';
}

void JsonWriter::stringPiece(QStringView piece)
{
    appendEscaped(m_text, piece);
}

void JsonWriter::endString()
{
    m_text += u'"';
}

QString JsonWriter::quoted(QStringView text)
{
    QString out;
    appendQuoted(out, text);
    return out;
}

void JsonWriter::appendQuoted(QString &out, QStringView text)
{
    out += u'"';
    appendEscaped(out, text);
    out += u'"';
}

void JsonWriter::appendEscaped(QString &out, QStringView text)
{
    static constexpr char16_t hex[] = u"0123456789abcdef";
    const auto isPlain = [&](qsizetype i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x20 || unit == u'"' || unit == u'\\')
            return false;
        if (QChar::isHighSurrogate(unit))
            return i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (QChar::isLowSurrogate(unit))
            return i > 0 && text[i - 1].isHighSurrogate();
        return true;
    };
    qsizetype i = 0;
    while (i < text.size()) {
        // Runs that need no escape are copied whole: tree texts can be long.
        qsizetype end = i;
        while (end < text.size() && isPlain(end))
            ++end;
        out += text.sliced(i, end - i);
        if (end == text.size())
            break;
        const char16_t unit = text[end].unicode();
        switch (unit) {
        case u'"':
            out += u"\\\"";
            break;
        case u'\\':
            out += u"\\\\";
            break;
        case u'\b':
            out += u"\\b";
            break;
        case u'\f':
            out += u"\\f";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\t':
            out += u"\\t";
            break;
        default: // other controls and lone surrogates
            out += u"\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += QChar(hex[(unit >> shift) & 0xF]);
        }
        i = end + 1;
    }
}
