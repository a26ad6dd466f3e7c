#include "TextFile.h"

#include "TestPrinting.h"
#include "Utf8Pieces.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct PiecesRow
{
    const char *name;
    QByteArray bytes;
    QString text;     // when well-formed
    qint64 badOffset; // -1 when well-formed
};

class Utf8PiecesTest : public testing::TestWithParam<PiecesRow>
{
};

// Every way of cutting the bytes into pieces of one size gives what the whole gives:
// sequences and the byte-order mark cut between pieces are put together again.
TEST_P(Utf8PiecesTest, GivesTheSameWhereverThePiecesEnd)
{
    const PiecesRow &row = GetParam();
    for (qsizetype pieceSize = 1; pieceSize <= row.bytes.size() + 1; ++pieceSize) {
        Utf8Pieces pieces;
        bool wellFormed = true;
        for (qsizetype at = 0; at < row.bytes.size() && wellFormed; at += pieceSize)
            wellFormed = pieces.add(QByteArrayView(row.bytes).sliced(at).first(
                std::min(pieceSize, row.bytes.size() - at)));
        wellFormed = wellFormed && pieces.finish();
        EXPECT_EQ(pieces.badOffset(), row.badOffset) << "pieces of " << pieceSize;
        if (wellFormed) {
            EXPECT_EQ(pieces.takeText(), row.text) << "pieces of " << pieceSize;
        }
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sequences, Utf8PiecesTest, testing::Values(
    PiecesRow{"ascii", "plain text", u"plain text"_s, -1},
    PiecesRow{"everyLength", "a\xc3\xa9\xe2\x80\xa6\xf0\x9f\x98\x80z", u"aé…\U0001F600z"_s, -1},
    PiecesRow{"leadingMarkDropped", "\xef\xbb\xbfhi", u"hi"_s, -1},
    PiecesRow{"laterMarkKept", "\xef\xbb\xbf\xef\xbb\xbfhi", u"\uFEFFhi"_s, -1},
    PiecesRow{"empty", "", QString(), -1},
    PiecesRow{"badByte", "ab\xff" "cd", {}, 2},
    PiecesRow{"cutAtTheEnd", "abc\xe2\x80", {}, 3},
    PiecesRow{"badContinuation", "ab\xe2\x80" "c", {}, 2},
    PiecesRow{"overlong", "\xef\xbb\xbfok \xc0\xaf", {}, 6},
    PiecesRow{"encodedSurrogate", "x\xed\xa0\x80", {}, 1},
    PiecesRow{"aboveTheLastCodePoint", "xy\xf4\x90\x80\x80", {}, 2},
    PiecesRow{"badAfterAGoodSequence", "\xc3\xa9\x80", {}, 2}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// Bytes through a pipe, written by another thread as the reader reads.
TextFile readThroughPipe(const QByteArray &bytes, qint64 largestBytes)
{
    int ends[2];
    if (pipe(ends) != 0)
        return {{}, u"no pipe"_s};
    std::jthread writer([&bytes, end = ends[1]] {
        // Once the reader has had enough, writing fails instead of ending the process.
        sigset_t brokenPipe;
        sigemptyset(&brokenPipe);
        sigaddset(&brokenPipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &brokenPipe, nullptr);
        for (qsizetype at = 0; at < bytes.size();) {
            const ssize_t count = write(end, bytes.constData() + at, size_t(bytes.size() - at));
            if (count <= 0)
                break; // the reader stopped
            at += count;
        }
        close(end);
    });
    TextFile result = readUtf8Descriptor(ends[0], u"the pipe"_s, largestBytes);
    close(ends[0]);
    return result;
}

struct LimitRow
{
    const char *name;
    QByteArray bytes;
    qint64 largestBytes;
    const char *error; // a fragment; empty for success
};

class ReadingLimit : public testing::TestWithParam<LimitRow>
{
};

TEST_P(ReadingLimit, StopsAStreamOnceItPassesTheLimit)
{
    const LimitRow &row = GetParam();
    const TextFile result = readThroughPipe(row.bytes, row.largestBytes);
    if (*row.error) {
        EXPECT_TRUE(result.error.startsWith(u"the pipe: "_s)) << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(row.error)))
            << result.error.toStdString();
        EXPECT_TRUE(result.text.isEmpty());
    } else {
        EXPECT_EQ(result.error, QString());
        EXPECT_EQ(result.text.toUtf8(), row.bytes);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Streams, ReadingLimit, testing::Values(
    LimitRow{"atTheLimit", QByteArray(3 << 20, 'a'), 3 << 20, ""},
    LimitRow{"oneByteOver", QByteArray((3 << 20) + 1, 'a'), 3 << 20, "is larger than the 3 MB"},
    // Found in the first piece, not after the rest is read.
    LimitRow{"invalidBeforeTheLimitIsReached", "\xff" + QByteArray(5 << 20, 'a'), 4 << 20,
             "byte offset 0"}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(ReadUtf8TextFile, RefusesARegularFileOverTheLimitBeforeReadingIt)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(u"huge.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Were it read, its first byte would be the failure; the rest takes no disk.
    file.write("\xff");
    ASSERT_TRUE(file.resize(largestTextBytes + 1));
    file.close();
    const TextFile result = readUtf8TextFile(file.fileName());
    EXPECT_EQ(result.error, u"%1: is larger than the %2 MB Verbarium reads"_s.arg(file.fileName())
                                .arg(largestTextBytes / 1000000));
}

// A file cut short by another program while it was read was analysed short, without a
// word of it.
TEST(ReadUtf8TextFile, SaysSoWhenTheFileIsCutShortWhileRead)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(u"growing.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(QByteArray(64 << 20, 'a')), 64 << 20);
    file.close();
    const int descriptor = open(QFile::encodeName(file.fileName()).constData(), O_RDONLY);
    ASSERT_GE(descriptor, 0);
    auto reading = std::async(std::launch::async, [&] {
        return readUtf8Descriptor(descriptor, file.fileName(), largestTextBytes);
    });
    // Cut where the reader is, once it has read its first piece.
    off_t offset = 0;
    while ((offset = lseek(descriptor, 0, SEEK_CUR)) == 0) {
    }
    ASSERT_TRUE(file.resize(offset));
    const TextFile result = reading.get();
    close(descriptor);
    EXPECT_TRUE(result.text.isEmpty());
    EXPECT_TRUE(result.error.startsWith(file.fileName() + u": was cut short while it was read"_s))
        << result.error.toStdString();
}

class FifoTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_EQ(mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
    }
    // Writes to the FIFO (opening it waits for the reader) and closes it.
    std::jthread writer(QByteArray bytes)
    {
        return std::jthread([this, bytes] {
            const int end = open(QFile::encodeName(m_path).constData(), O_WRONLY);
            if (write(end, bytes.constData(), size_t(bytes.size())) < 0)
                ADD_FAILURE() << "no write";
            close(end);
        });
    }

    QTemporaryDir m_folder;
    QString m_path = m_folder.filePath(u"fifo"_s);
};

TEST_F(FifoTest, ReadsUntilTheWriterHasGone)
{
    const std::jthread writing = writer("words in a pipe");
    const TextFile result = readUtf8TextFile(m_path);
    EXPECT_EQ(result.error, QString());
    EXPECT_EQ(result.text, u"words in a pipe"_s);
}

// Opening a FIFO used to wait for a writer, so a read could never be abandoned.
TEST_F(FifoTest, StopsWhileNoWriterComes)
{
    std::stop_source stop;
    auto reading = std::async(std::launch::async, [this, token = stop.get_token()] {
        return readUtf8TextFile(m_path, token);
    });
    // Most likely while it waits for a writer; it must end either way.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    stop.request_stop();
    if (reading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        const std::jthread unblock = writer({}); // lets the test end, failed
        FAIL() << "the read did not stop";
    }
    const TextFile result = reading.get();
    EXPECT_EQ(result.error, u"%1: reading was stopped"_s.arg(m_path));
    EXPECT_TRUE(result.text.isEmpty());
}

} // namespace
