#include "SectionFile.h"

#include <xxhash.h>

struct SectionWriter::HashState
{
    XXH3_state_t *state = XXH3_createState();
    ~HashState() { XXH3_freeState(state); }
};

SectionWriter::SectionWriter(QIODevice &device)
    : m_device(device)
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
    // A write may take only part of a long array: the rest follows until all is out.
    const auto *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const qint64 written = m_device.write(bytes, qint64(size));
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
