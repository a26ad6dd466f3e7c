#pragma once

#include "WordDictionary.h"

#include <QString>
#include <QStringView>

// The analysis done literally step by step with the scanner, one ICU call for the
// lower-casing and a counted set filled from the split buffer: slow, but easy to
// check against the rules. The tree text and the words counted from the tokens must
// agree with it exactly.
struct ReferenceAnalysis
{
    QString treeText;
    WordDictionary words;
};

ReferenceAnalysis analyseLiterally(QStringView text);
