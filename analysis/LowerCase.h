#pragma once

#include <QString>
#include <QStringView>

// Unicode's default full lower-case mapping, independent of any locale, with the
// context rules (Final_Sigma) that QString::toLower leaves out.
QString lowerCased(QStringView text);

// Whether lowerCased changes the character, in some context.
bool changesWhenLowerCased(char32_t c);
