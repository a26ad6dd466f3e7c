#include "MessageText.h"

using namespace Qt::Literals::StringLiterals;

namespace {

bool needsEscape(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7f && unit <= 0x9f) || unit == 0x061c || unit == 0x200e ||
           unit == 0x200f || unit == 0x2028 || unit == 0x2029 ||
           (unit >= 0x202a && unit <= 0x202e) || (unit >= 0x2066 && unit <= 0x2069);
}

QString escapeOf(char16_t unit)
{
    switch (unit) {
    case u'\n':
        return u"\\n"_s;
    case u'\r':
        return u"\\r"_s;
    case u'\t':
        return u"\\t"_s;
    default:
        break;
    }
    const QString digits = QString::number(unit, 16);
    return unit <= 0xff ? u"\\x"_s + digits.rightJustified(2, u'0') : u"\\u{"_s + digits + u'}';
}

} // namespace

QString escapedControls(QStringView text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar unit : text) {
        if (needsEscape(unit.unicode()))
            escaped += escapeOf(unit.unicode());
        else
            escaped += unit;
    }
    return escaped;
}
