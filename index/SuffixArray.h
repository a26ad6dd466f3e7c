#pragma once

#include <QtGlobal>
#include <span>
#include <stop_token>
#include <vector>

// The suffix array of a sequence of symbols in [0, alphabetSize): the start positions
// of all suffixes in lexicographic order, a proper prefix before its extensions. Built
// in linear time by induced sorting, in room of its own beside the symbols (four bytes a
// symbol besides the result's), on a second thread as well when the worker pool has one
// free. At most 2^31 − 1 symbols and as many distinct ones. Throws WorkStopped once stop
// is requested.
std::vector<quint32> suffixArray(std::span<const quint32> symbols, quint32 alphabetSize,
                                 std::stop_token stop = {});
