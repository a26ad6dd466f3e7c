#include "SectionFile.h"

#include "StopCheck.h"

#include <xxhash.h>

struct SectionWriter::HashState
{
    XXH3_state_t *state = XXH3_createState();
    ~HashState() { XXH3_freeState(state); }
};

SectionWriter::SectionWriter(QIODevice &device, std::stop_token stop)
    : m_device(device)
    , m_stop(std::move(stop))
    , m_hash(std::make_unique<HashState>())
{
    if (!m_hash->state)
        throw std::bad_alloc();
    XXH3_64bits_reset(m_hash->state);
}

SectionWriter::~SectionWriter() = default;

void SectionWriter::append(const void *data, quint64 size)
{
    if (size == 0 || m_failed)
        return;
    XXH3_64bits_update(m_hash->state, data, size);
    // A write may take only part of a long array: the rest follows until all is out, a
    // piece at a time, so that a stop does not wait for a whole array.
    constexpr quint64 piece = 8 << 20;
    const auto *bytes = static_cast<const char *>(data);
    while (size > 0) {
        if (m_stop.stop_requested())
            throw WorkStopped();
        const qint64 written = m_device.write(bytes, qint64(std::min(size, piece)));
        if (written <= 0) {
            m_failed = true;
            return;
        }
        bytes += written;
        size -= quint64(written);
    }
}

quint64 SectionWriter::checksum() const
{
    return XXH3_64bits_digest(m_hash->state);
}

quint64 checksumOf(std::span<const char> bytes)
{
    return XXH3_64bits(bytes.data(), bytes.size());
}

std::array<quint64, 2> contentHashOf(std::span<const char> bytes, quint64 seed)
{
    const XXH128_hash_t hash = XXH3_128bits_withSeed(bytes.data(), bytes.size(), seed);
    return {hash.high64, hash.low64};
}
