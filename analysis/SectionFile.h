#pragma once

#include "Stored.h"

#include <QIODevice>
#include <QtGlobal>
#include <array>
#include <cstring>
#include <memory>
#include <span>
#include <stdexcept>
#include <stop_token>
#include <type_traits>

// An index kept in a file is a run of sections, each an array of plain values: its length
// in bytes, then the values, padded to eight bytes so that every array stays aligned
// where the file is mapped.
class SectionWriter
{
public:
    // Writes to device, which stays open as long as this writer is used. Throws
    // WorkStopped from a write once stop is requested.
    explicit SectionWriter(QIODevice &device, std::stop_token stop = {});
    ~SectionWriter();
    SectionWriter(const SectionWriter &) = delete;
    SectionWriter &operator=(const SectionWriter &) = delete;

    template<typename T> void write(std::span<const T> values)
    {
        static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= 8);
        const auto bytes = quint64(values.size_bytes());
        append(&bytes, sizeof bytes);
        append(values.data(), bytes);
        static constexpr char padding[8] = {};
        append(padding, (8 - bytes % 8) % 8);
    }
    template<typename T> void write(const Stored<T> &values) { write(values.view()); }
    template<typename T> void writeValue(const T &value) { write(std::span<const T>(&value, 1)); }

    // Whether every byte went out.
    bool failed() const { return m_failed; }
    // The checksum of every byte written.
    quint64 checksum() const;

private:
    void append(const void *data, quint64 size);

    QIODevice &m_device;
    std::stop_token m_stop;
    struct HashState;
    std::unique_ptr<HashState> m_hash;
    bool m_failed = false;
};

// The checksum that SectionWriter computes, of bytes already in memory.
quint64 checksumOf(std::span<const char> bytes);
// A 128-bit hash of bytes, one for each seed, to tell contents apart by.
std::array<quint64, 2> contentHashOf(std::span<const char> bytes, quint64 seed);

// A section that is not there, or not of the size its reader expects.
class DamagedSections : public std::runtime_error
{
public:
    DamagedSections()
        : std::runtime_error("damaged index sections")
    {}
};

// Reads the sections back as views of the memory they lie in, which keeper holds. Throws
// DamagedSections for a section that runs past the end or does not fit its values.
class SectionReader
{
public:
    SectionReader(std::span<const char> bytes, std::shared_ptr<const void> keeper)
        : m_bytes(bytes)
        , m_keeper(std::move(keeper))
    {}

    template<typename T> Stored<T> read()
    {
        static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= 8);
        quint64 length = 0;
        if (m_bytes.size() < sizeof length)
            throw DamagedSections();
        std::memcpy(&length, m_bytes.data(), sizeof length);
        m_bytes = m_bytes.subspan(sizeof length);
        const quint64 padded = length + (8 - length % 8) % 8;
        if (length % sizeof(T) != 0 || padded > m_bytes.size() ||
            reinterpret_cast<quintptr>(m_bytes.data()) % alignof(T) != 0)
            throw DamagedSections();
        const auto *values = reinterpret_cast<const T *>(m_bytes.data());
        m_bytes = m_bytes.subspan(padded);
        return Stored<T>(std::span<const T>(values, length / sizeof(T)), m_keeper);
    }
    template<typename T> T readValue()
    {
        const Stored<T> value = read<T>();
        if (value.size() != 1)
            throw DamagedSections();
        return value[0];
    }
    bool atEnd() const { return m_bytes.empty(); }

private:
    std::span<const char> m_bytes;
    std::shared_ptr<const void> m_keeper;
};
