#pragma once

#include <QtGlobal>
#include <span>
#include <stop_token>
#include <vector>

// The suffix array of a sequence of symbols in [0, alphabetSize): the start positions
// of all suffixes in lexicographic order, a proper prefix before its extensions. Built
// in linear time by induced sorting. The symbols are used as scratch space while it
// runs and hold their old values again when it returns; when it throws WorkStopped
// (once stop is requested) they are left as scratch. At most 2^31 − 1 symbols.
std::vector<quint32> suffixArray(std::span<quint32> symbols, quint32 alphabetSize,
                                 std::stop_token stop = {});
