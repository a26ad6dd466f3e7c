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
    m_text += quoted(name);
    m_text += u':';
    m_afterKey = true;
}

void JsonWriter::value(QStringView text)
{
    beforeValue();
    m_text += quoted(text);
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

QByteArray JsonWriter::toUtf8() const
{
    Q_ASSERT(m_hasElement.isEmpty());
    return (m_text + u'\n').toUtf8();
}

QString JsonWriter::quoted(QStringView text)
{
    static constexpr char16_t hex[] = u"0123456789abcdef";
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const bool pairedSurrogate =
            (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ||
            (QChar::isLowSurrogate(unit) && i > 0 && text[i - 1].isHighSurrogate());
        switch (unit) {
        case u'"':
            out += u"\\\"";
            continue;
        case u'\\':
            out += u"\\\\";
            continue;
        case u'\b':
            out += u"\\b";
            continue;
        case u'\f':
            out += u"\\f";
            continue;
        case u'\n':
            out += u"\\n";
            continue;
        case u'\r':
            out += u"\\r";
            continue;
        case u'\t':
            out += u"\\t";
            continue;
        default:
            break;
        }
        if (unit < 0x20 || (QChar::isSurrogate(unit) && !pairedSurrogate)) {
            out += u"\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += QChar(hex[(unit >> shift) & 0xF]);
        } else {
            out += QChar(unit);
        }
    }
    out += u'"';
    return out;
}
