#pragma once

#include "VerbariumTree.h"

#include <QString>
#include <memory>

// Builds a sorted, leaf-counted tree from a compact notation, so layout tests can
// state their trees in one line: "s[a:4[x y z] b:2]" is s with the followers a
// (count 4, followers x, y and z) and b (count 2). Counts default to 1.
std::shared_ptr<const VerbariumTree> treeFromNotation(const QString &notation);
