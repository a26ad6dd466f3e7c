#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes CSV as RFC 4180 defines it: CRLF line ends, and a field in double quotes
// (its quotes doubled) when it holds a comma, a double quote, CR or LF.
class CsvWriter
{
public:
    void row(const QStringList &fields);
    QByteArray toUtf8() const { return m_text.toUtf8(); }

    static QString field(const QString &text);

private:
    QString m_text;
};
