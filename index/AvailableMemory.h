#pragma once

#include <QtGlobal>
#include <optional>

// How much memory the system can still give without swapping (Linux's MemAvailable), or
// none where that cannot be read.
std::optional<qint64> availableMemoryBytes();
