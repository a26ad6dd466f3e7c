#include "HoldingTokensText.h"

#include "CountText.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// The most tokens named one by one; the rest are counted.
constexpr qsizetype namedTokens = 3;

bool showsNothing(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Format || category == QChar::Other_Control ||
           category == QChar::Other_NotAssigned;
}

} // namespace

QString visibleToken(const QString &token)
{
    QString shown;
    for (const char32_t c : QStringView(token).toUcs4()) {
        if (showsNothing(c))
            shown += QStringLiteral("⟨U+%1⟩").arg(QString::number(quint32(c), 16).toUpper(), 4,
                                                  QLatin1Char('0'));
        else
            shown += QString::fromUcs4(&c, 1);
    }
    return shown;
}

QString holdingTokensText(const QList<HoldingToken> &tokens)
{
    QStringList named;
    for (qsizetype i = 0; i < std::min(tokens.size(), namedTokens); ++i)
        named << QCoreApplication::translate("HoldingTokensText", "%1 (%2)")
                     .arg(visibleToken(tokens[i].token), timesText(tokens[i].times));
    if (tokens.size() > namedTokens)
        return QCoreApplication::translate("HoldingTokensText", "%1 and %L2 other words")
            .arg(named.join(QStringLiteral(", ")))
            .arg(tokens.size() - namedTokens);
    if (named.size() <= 1)
        return named.value(0);
    const QString last = named.takeLast();
    return QCoreApplication::translate("HoldingTokensText", "%1 and %2")
        .arg(named.join(QStringLiteral(", ")), last);
}

QString absentStartMessage(const QString &start, const QList<HoldingToken> &holding)
{
    if (holding.isEmpty())
        return QCoreApplication::translate("HoldingTokensText", "“%1” does not occur in the text.")
            .arg(start);
    return QCoreApplication::translate("HoldingTokensText",
                                       "“%1” occurs only inside %2; the tree follows whole words.")
        .arg(start, holdingTokensText(holding));
}

QString alsoInsideNote(const QList<HoldingToken> &holding)
{
    return QCoreApplication::translate("HoldingTokensText",
                                       "Also inside %1, which the tree does not follow")
        .arg(holdingTokensText(holding));
}
