#include "IndexFile.h"

#include "SectionFile.h"
#include "TextIndex.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr char headerMagic[8] = {'V', 'E', 'R', 'B', 'I', 'D', 'X', '\n'};
constexpr char trailerMagic[8] = {'V', 'I', 'D', 'X', 'E', 'N', 'D', '\n'};
// Read back as another value on a machine of the other byte order.
constexpr quint32 byteOrderMark = 0x01020304u;

struct Header
{
    char magic[8];
    quint32 byteOrder;
    quint32 version;
    quint64 textHash[2];
    quint32 backward;
    quint32 textLength;
    char padding[24];
};
static_assert(sizeof(Header) == 64);

struct Trailer
{
    quint64 checksum;
    char magic[8];
};

Header headerFor(const IndexFileKey &key)
{
    Header header{};
    std::memcpy(header.magic, headerMagic, sizeof headerMagic);
    header.byteOrder = byteOrderMark;
    header.version = indexFileVersion;
    header.textHash[0] = key.text.hash[0];
    header.textHash[1] = key.text.hash[1];
    header.backward = key.backward ? 1 : 0;
    header.textLength = key.text.length;
    return header;
}

// A file mapped for reading, unmapped when the last view of it goes.
struct Mapping
{
    void *address = MAP_FAILED;
    std::size_t size = 0;
    ~Mapping()
    {
        if (address != MAP_FAILED)
            munmap(address, size);
    }
};

std::shared_ptr<const Mapping> mapped(const QString &path)
{
    const int descriptor = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    auto mapping = std::make_shared<Mapping>();
    struct stat status
    {
    };
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        std::size_t(status.st_size) >= sizeof(Header) + sizeof(Trailer)) {
        mapping->size = std::size_t(status.st_size);
        // Read ahead at once: the checksum reads every byte anyway.
        mapping->address =
            mmap(nullptr, mapping->size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor, 0);
    }
    close(descriptor);
    return mapping->address == MAP_FAILED ? nullptr : mapping;
}

// A new file beside the one it becomes, under a name that no reader opens, removed
// unless it is renamed.
class TemporaryIndexFile
{
public:
    TemporaryIndexFile(const QString &path, TemporaryFileWatch watch)
        : m_watch(watch)
    {
        for (int attempt = 0; attempt < 100 && !m_file.isOpen(); ++attempt) {
            m_name = QFile::encodeName(path) + '.' +
                     QByteArray::number(QRandomGenerator::global()->generate(), 36);
            if (m_watch.willMake)
                m_watch.willMake(m_name);
            const int descriptor =
                ::open(m_name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (descriptor >= 0) {
                m_file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
                return;
            }
            m_problem = QString::fromLocal8Bit(std::strerror(errno));
            forget();
            if (errno != EEXIST)
                return;
        }
    }
    ~TemporaryIndexFile()
    {
        if (m_name.isEmpty())
            return;
        m_file.close();
        ::unlink(m_name.constData());
        forget();
    }
    TemporaryIndexFile(const TemporaryIndexFile &) = delete;
    TemporaryIndexFile &operator=(const TemporaryIndexFile &) = delete;

    QFile &file() { return m_file; }
    // Why it could not be made, when it is not open.
    const QString &problem() const { return m_problem; }
    // Puts it in the place of path; returns why it could not.
    QString renameTo(const QString &path)
    {
        m_file.close();
        // rename() replaces a file another process wrote meanwhile in one step: a reader
        // maps the one or the other, never a mix.
        if (::rename(m_name.constData(), QFile::encodeName(path).constData()) != 0)
            return QString::fromLocal8Bit(std::strerror(errno));
        forget();
        return {};
    }

private:
    void forget()
    {
        if (m_watch.isGone)
            m_watch.isGone(m_name);
        m_name.clear();
    }

    TemporaryFileWatch m_watch;
    QByteArray m_name;
    QFile m_file;
    QString m_problem;
};

} // namespace

QString writeIndexFile(const QString &path, const TextIndex &index, const IndexFileKey &key,
                       std::stop_token stop, TemporaryFileWatch watch)
{
    // Not synced to the disk: a file a crash cut short fails its checksum and is made
    // again.
    TemporaryIndexFile temporary(path, watch);
    QFile &file = temporary.file();
    if (!file.isOpen())
        return temporary.problem();
    const Header header = headerFor(key);
    if (file.write(reinterpret_cast<const char *>(&header), sizeof header) != sizeof header)
        return file.errorString();
    SectionWriter writer(file, std::move(stop));
    index.writeTo(writer);
    if (writer.failed())
        return file.errorString();
    Trailer trailer{writer.checksum(), {}};
    std::memcpy(trailer.magic, trailerMagic, sizeof trailerMagic);
    if (file.write(reinterpret_cast<const char *>(&trailer), sizeof trailer) != sizeof trailer ||
        !file.flush())
        return file.errorString();
    return temporary.renameTo(path);
}

std::shared_ptr<const TextIndex> readIndexFile(const QString &path, const IndexFileKey &key,
                                               const std::shared_ptr<const TextIndex> &forward)
{
    const std::shared_ptr<const Mapping> mapping = mapped(path);
    if (!mapping)
        return nullptr;
    const auto *bytes = static_cast<const char *>(mapping->address);
    const Header expected = headerFor(key);
    Trailer trailer;
    std::memcpy(&trailer, bytes + mapping->size - sizeof trailer, sizeof trailer);
    const std::span<const char> sections(bytes + sizeof(Header),
                                         mapping->size - sizeof(Header) - sizeof(Trailer));
    if (std::memcmp(bytes, &expected, sizeof expected) != 0 ||
        std::memcmp(trailer.magic, trailerMagic, sizeof trailerMagic) != 0 ||
        checksumOf(sections) != trailer.checksum)
        return nullptr;
    try {
        SectionReader reader(sections, mapping);
        return TextIndex::readFrom(reader, forward ? forward->sharedTokens() : nullptr,
                                   key.text.length);
    } catch (const DamagedSections &) {
        return nullptr;
    }
}
