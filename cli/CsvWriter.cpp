#include "CsvWriter.h"

using namespace Qt::Literals::StringLiterals;

void CsvWriter::row(const QStringList &fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_text += u',';
        m_text += field(fields[i]);
    }
    m_text += u"\r\n"_s;
}

QString CsvWriter::field(const QString &text)
{
    const bool needsQuotes =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}
