#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr uid_t nobody = 65534;
const QByteArray newContent = "{\"treeText\":\"new words\",\"words\":{\"new\":1,\"words\":1}}\n";

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "(missing)";
}

struct stat statusOf(const QString &path)
{
    struct stat status = {};
    lstat(native(path).constData(), &status);
    return status;
}

// The temporary files left in folder.
QStringList leftOver(const QString &folder)
{
    return QDir(folder).entryList({u"*.tmp"_s}, QDir::Files | QDir::Hidden);
}

// An access list with a named user and a group entry narrower than the mask: kept, it
// reads back the same; dropped, the mask shows as the group's permissions.
QByteArray accessList()
{
    QByteArray list;
    const auto add = [&list](quint16 tag, quint16 permissions, quint32 id) {
        list.append(reinterpret_cast<const char *>(&tag), 2);
        list.append(reinterpret_cast<const char *>(&permissions), 2);
        list.append(reinterpret_cast<const char *>(&id), 4);
    };
    const quint32 version = 2, none = 0xFFFFFFFF;
    list.append(reinterpret_cast<const char *>(&version), 4);
    add(0x01, 6, none);   // owner rw-
    add(0x02, 4, nobody); // user nobody r--
    add(0x04, 0, none);   // owning group ---
    add(0x10, 4, none);   // mask r--
    add(0x20, 0, none);   // others ---
    return list;
}

QByteArray attribute(const QString &path, const char *name)
{
    QByteArray value(256, '\0');
    const ssize_t size =
        getxattr(native(path).constData(), name, value.data(), size_t(value.size()));
    return size < 0 ? "(none)" : value.first(size);
}

struct ReplacementRow
{
    const char *name;
    bool needsRoot;
    // Makes what --output names in folder and returns it; false to skip the row.
    std::function<std::optional<QString>(const QString &folder)> prepare;
    std::function<void()> inChild; // before the command starts
    int exitCode;
    std::function<void(const QString &folder)> check;
};

class ReplacedOutput : public testing::TestWithParam<ReplacementRow>
{
};

TEST_P(ReplacedOutput, KeepsWhatItPromises)
{
    const ReplacementRow &row = GetParam();
    if (row.needsRoot && geteuid() != 0)
        GTEST_SKIP() << "changes owners: needs root";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::optional<QString> output = row.prepare(folder.path());
    if (!output)
        GTEST_SKIP() << "the file system takes no extended attributes";
    const CliRun run = runCliWith(
        {u"counts"_s, u"--output"_s, *output},
        [&row](QProcess &process) {
            if (row.inChild)
                process.setChildProcessModifier(row.inChild);
        },
        "New words");
    EXPECT_EQ(run.exitCode, row.exitCode) << run.err.toStdString();
    row.check(folder.path());
    EXPECT_EQ(leftOver(folder.path()), QStringList());
}

// A file only root may replace: owned by root, writable by anyone, setuid and setgid.
std::optional<QString> rootsFileForAnyone(const QString &folder)
{
    const QString path = folder + u"/out"_s;
    if (!writeFile(path, "old") || chmod(native(path).constData(), 06777) != 0 ||
        chmod(native(folder).constData(), 0777) != 0)
        return std::nullopt;
    return path;
}

void becomeNobody()
{
    if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
        _exit(99);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CountsCommand, ReplacedOutput, testing::Values(
    // Was replaced by a file of root's with the setuid bit.
    ReplacementRow{"keepsOwnerGroupAndSetuid", true,
        [](const QString &folder) -> std::optional<QString> {
            const QString path = folder + u"/out"_s;
            if (!writeFile(path, "old") || chown(native(path).constData(), nobody, nobody) != 0 ||
                chmod(native(path).constData(), 04751) != 0)
                return std::nullopt;
            return path;
        }, {}, 0,
        [](const QString &folder) {
            const struct stat after = statusOf(folder + u"/out"_s);
            EXPECT_EQ(after.st_uid, nobody);
            EXPECT_EQ(after.st_gid, nobody);
            EXPECT_EQ(after.st_mode & 07777, 04751u);
            EXPECT_EQ(contentOf(folder + u"/out"_s), newContent);
        }},
    // Was replaced by a file of nobody's, setuid and setgid.
    ReplacementRow{"ownerThatCannotBeGivenMeansInPlace", true, rootsFileForAnyone, becomeNobody, 0,
        [](const QString &folder) {
            const struct stat after = statusOf(folder + u"/out"_s);
            EXPECT_EQ(after.st_uid, 0u);
            EXPECT_EQ(after.st_mode & 06000, 0u) << "written by another user";
            EXPECT_EQ(contentOf(folder + u"/out"_s), newContent);
        }},
    // Its named entry was dropped and the mask leaked into the group's permissions.
    ReplacementRow{"keepsAccessListAndAttributes", false,
        [](const QString &folder) -> std::optional<QString> {
            const QString path = folder + u"/out"_s;
            const QByteArray list = accessList();
            if (!writeFile(path, "old") ||
                setxattr(native(path).constData(), "system.posix_acl_access", list.constData(),
                         size_t(list.size()), 0) != 0 ||
                setxattr(native(path).constData(), "user.note", "kept", 4, 0) != 0)
                return std::nullopt;
            return path;
        }, {}, 0,
        [](const QString &folder) {
            const QString path = folder + u"/out"_s;
            EXPECT_EQ(attribute(path, "system.posix_acl_access"), accessList());
            EXPECT_EQ(attribute(path, "user.note"), "kept");
            EXPECT_EQ(statusOf(path).st_mode & 07777, 0640u);
            EXPECT_EQ(contentOf(path), newContent);
        }},
    // The other name kept the old content.
    ReplacementRow{"hardLinkMeansInPlace", false,
        [](const QString &folder) -> std::optional<QString> {
            if (!writeFile(folder + u"/out"_s, "old") ||
                link(native(folder + u"/out"_s).constData(),
                     native(folder + u"/other"_s).constData()) != 0)
                return std::nullopt;
            return folder + u"/out"_s;
        }, {}, 0,
        [](const QString &folder) {
            EXPECT_EQ(contentOf(folder + u"/other"_s), newContent);
            EXPECT_EQ(statusOf(folder + u"/other"_s).st_ino, statusOf(folder + u"/out"_s).st_ino);
        }},
    ReplacementRow{"danglingSymlinkGetsItsFile", false,
        [](const QString &folder) -> std::optional<QString> {
            if (!QDir(folder).mkdir(u"sub"_s) ||
                symlink("sub/target", native(folder + u"/out"_s).constData()) != 0)
                return std::nullopt;
            return folder + u"/out"_s;
        }, {}, 0,
        [](const QString &folder) {
            EXPECT_TRUE(S_ISLNK(statusOf(folder + u"/out"_s).st_mode));
            EXPECT_EQ(contentOf(folder + u"/sub/target"_s), newContent);
            EXPECT_EQ(leftOver(folder + u"/sub"_s), QStringList());
        }},
    // A failed write used to leave a part at the link's target.
    ReplacementRow{"danglingSymlinkFailingLeavesNothing", false,
        [](const QString &folder) -> std::optional<QString> {
            if (symlink("target", native(folder + u"/out"_s).constData()) != 0)
                return std::nullopt;
            return folder + u"/out"_s;
        },
        [] {
            // Writes past 10 bytes fail, as on a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit fileSize{10, 10};
            setrlimit(RLIMIT_FSIZE, &fileSize);
        }, 1,
        [](const QString &folder) {
            EXPECT_FALSE(QFile::exists(folder + u"/target"_s));
        }}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// Runs verbarium-cli with arguments, holds it still as soon as a file is made in folder,
// so that the signal finds it there, checks that made() lists one file, then ends it with
// signalNumber, which must be what it ends by.
void interruptOnceAFileIsMade(const QString &folder, const QStringList &arguments, int signalNumber,
                              const std::function<QStringList()> &made)
{
    const int events = inotify_init1(IN_CLOEXEC);
    ASSERT_GE(events, 0);
    ASSERT_GE(inotify_add_watch(events, native(folder).constData(), IN_CREATE), 0);
    const pid_t cli = spawnCli(arguments);
    ASSERT_GT(cli, 0);
    pollfd created{events, POLLIN, 0};
    const int ready = poll(&created, 1, 60000);
    kill(cli, SIGSTOP);
    close(events);
    if (ready <= 0) {
        kill(cli, SIGKILL);
        waitpid(cli, nullptr, 0);
        FAIL() << "no temporary file was made";
    }
    ASSERT_EQ(made().size(), 1) << "the write ended before it was stopped";
    // SIGQUIT would leave a core dump in the test's folder.
    const rlimit noCore{0, RLIM_INFINITY};
    setrlimit(RLIMIT_CORE, &noCore);
    kill(cli, signalNumber);
    kill(cli, SIGCONT);
    int status = 0;
    ASSERT_EQ(waitpid(cli, &status, 0), cli);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << status;
}

class InterruptedOutput : public testing::TestWithParam<int>
{
};

// Each used to leave the temporary file behind.
TEST_P(InterruptedOutput, RemovesTheTemporaryFileAndEndsByTheSignal)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString input = folder.filePath(u"input.txt"_s);
    const QString output = folder.filePath(u"out.json"_s);
    // Its tree text makes the output as long: writing it takes a while.
    ASSERT_TRUE(writeFile(input, QByteArray("some words. ").repeated(2 << 20)));
    ASSERT_TRUE(writeFile(output, "old"));
    interruptOnceAFileIsMade(folder.path(), {u"counts"_s, input, u"--output"_s, output}, GetParam(),
                             [&] { return leftOver(folder.path()); });
    EXPECT_EQ(leftOver(folder.path()), QStringList());
    EXPECT_EQ(contentOf(output), "old");
}

// The quit key, a closed pipe, alarms, user and real-time signals and a CPU limit left
// the temporary file behind before.
INSTANTIATE_TEST_SUITE_P(Signals, InterruptedOutput,
                         testing::Values(SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM,
                                         SIGUSR1, SIGUSR2, SIGXCPU, SIGRTMIN),
                         [](const auto &info) {
                             const char *name = sigabbrev_np(info.param);
                             return std::string(name ? name : "RTMIN");
                         });

// Past a file-size limit the kernel sends SIGXFSZ, which ended the run (status 153) and
// left the temporary file.
TEST(FileSizeLimit, FailsTheWriteWithOneLineAndLeavesNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString output = folder.filePath(u"out.json"_s);
    const CliRun run = runCliWith(
        {u"counts"_s, u"--output"_s, output},
        [](QProcess &process) {
            process.setChildProcessModifier([] {
                const rlimit fileSize{10, RLIM_INFINITY};
                setrlimit(RLIMIT_FSIZE, &fileSize);
            });
        },
        "New words");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(std::strerror(EFBIG))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_EQ(leftOver(folder.path()), QStringList());
}

// Writers to one file with other hard links write it in place. They took no turns: each
// truncated it on opening and wrote at its own offset, and what was left was often no
// one's result, with every writer reporting success.
TEST(InPlaceOutput, ConcurrentWritersLeaveOneWholeResult)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString output = folder.filePath(u"out.json"_s);
    ASSERT_TRUE(writeFile(output, "old"));
    ASSERT_EQ(link(native(output).constData(), native(folder.filePath(u"link"_s)).constData()), 0);
    // Results of different lengths, each long enough to be written in pieces.
    std::vector<QString> inputs;
    std::vector<QByteArray> results;
    for (int writer = 0; writer < 8; ++writer) {
        inputs.push_back(folder.filePath(u"input%1.txt"_s.arg(writer)));
        ASSERT_TRUE(
            writeFile(inputs.back(),
                      ("word" + QByteArray::number(writer) + ' ').repeated(20000 * (writer + 1))));
        results.push_back(runCli({u"counts"_s, inputs.back()}).out);
    }
    for (int round = 0; round < 3; ++round) {
        std::vector<pid_t> writers;
        for (const QString &input : inputs)
            writers.push_back(spawnCli({u"counts"_s, input, u"--output"_s, output}));
        for (const pid_t writer : writers) {
            int status = 0;
            ASSERT_EQ(waitpid(writer, &status, 0), writer);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        }
        const QByteArray left = contentOf(output);
        EXPECT_TRUE(std::find(results.begin(), results.end(), left) != results.end())
            << "round " << round << ": " << left.size() << " bytes of no one's result";
    }
}

// The index of the text, kept in the cache while the tree is grown, is written the same
// way: an interrupt leaves no part of it.
TEST(InterruptedIndexKeeping, RemovesTheIndexBeingWritten)
{
    QTemporaryDir cacheHome;
    ASSERT_TRUE(cacheHome.isValid());
    const QString cache = cacheHome.filePath(u"verbarium"_s);
    ASSERT_TRUE(QDir().mkpath(cache));
    const QString input = cacheHome.filePath(u"input.txt"_s);
    ASSERT_TRUE(writeFile(input, QByteArray("some words. ").repeated(2 << 20)));
    const QByteArray home = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", native(cacheHome.path()));
    const auto files = [&cache] { return QDir(cache).entryList(QDir::Files | QDir::Hidden); };
    interruptOnceAFileIsMade(cache, {u"tree"_s, input, u"--word"_s, u"some"_s}, SIGINT, files);
    qputenv("XDG_CACHE_HOME", home);
    EXPECT_TRUE(files().isEmpty()) << files().join(u' ').toStdString();
}

} // namespace
