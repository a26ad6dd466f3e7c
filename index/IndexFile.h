#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>
#include <stop_token>

class TextIndex;

// What a text's indexes are kept under: a hash of its characters, and how many there are
// (the places of its tokens lie within them).
struct TextKey
{
    std::array<quint64, 2> hash{};
    quint32 length = 0;
};

// What an index file is kept for: a text, and whether the file holds the index of the
// words before.
struct IndexFileKey
{
    TextKey text;
    bool backward = false;
};

// Told of each temporary file before it is made and once it is renamed or removed, so
// that a process ended by a signal can remove what it was writing.
struct TemporaryFileWatch
{
    void (*willMake)(const QByteArray &path) = nullptr;
    void (*isGone)(const QByteArray &path) = nullptr;
};

// Writes index to path as one file: a header (what the file is, this machine's byte
// order, the index's version, key), the index's sections, and a checksum of them. The
// file appears whole or not at all: it is written beside path, under a name that watch
// is told of, and renamed. Returns why it could not be written, empty on success; throws
// WorkStopped once stop is requested (nothing is left behind then).
QString writeIndexFile(const QString &path, const TextIndex &index, const IndexFileKey &key,
                       std::stop_token stop = {}, TemporaryFileWatch watch = {});

// Maps the file at path and reads the index in it, or gives none when the file is not an
// intact index for key of this version and byte order (missing, cut short, damaged,
// another's). forward: none for the text's own index; that index, read from the same
// cache, for the index of the words before.
std::shared_ptr<const TextIndex> readIndexFile(const QString &path, const IndexFileKey &key,
                                               const std::shared_ptr<const TextIndex> &forward);

// The version written into every index file: one more whenever tokens or the index's
// layout change, so that older files are never read as newer ones.
inline constexpr quint32 indexFileVersion = 4;
