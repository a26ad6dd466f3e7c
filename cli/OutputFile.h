#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/stat.h>

// A command's result on its way to a file, written in pieces as it is made. Every
// failure is one line naming the path and the system's reason; nothing is left behind.
//
// - A regular file, or a path where nothing is yet, is replaced whole: the bytes go to
//   a temporary file beside it, flushed to the disk, then renamed over it by commit(),
//   and the folder is flushed too, so a reader finds the old content or the new, never
//   a part. The new file keeps the old one's owner, group, permissions and extended
//   attributes (its access control list among them). A symlink keeps pointing to its
//   file; a dangling one gets its file made the same way. An interrupt, termination or
//   hang-up removes the temporary file.
// - A regular file that cannot be replaced like that is written in place: one with
//   other hard links (they would keep the old content), or one whose owner, group,
//   permissions or attributes this process cannot give a new file. The writer holds an
//   advisory lock (flock) on it from the start and cuts it to what it wrote at the end,
//   so writers to the same file take turns and the last one's result is what stays.
// - Anything else (a FIFO, a device, a terminal, a symlink to one) is opened and written
//   in place, never replaced or removed.
// - Standard output is written through its stream, at its current offset: for an
//   empty path, for the names of the process's standard output (/dev/stdout,
//   /dev/fd/1) and for the file it already writes to. Those names fail when it is
//   closed; so do those of closed standard input and error.
class OutputFile
{
public:
    explicit OutputFile(QString path);
    // Without commit(), a temporary file goes again and the target stays as it was.
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Each returns the problem, or nothing when all went well.
    std::optional<QString> open();
    std::optional<QString> write(const QByteArray &bytes);
    std::optional<QString> commit();

private:
    enum class Kind { StandardOutput, InPlace, Replacing };

    std::optional<QString> failure(const QString &reason) const;
    std::optional<QString> openInPlace(const QByteArray &path);
    std::optional<QString> openReplacing(const QByteArray &target, const struct stat *old);
    std::optional<QString> replace();
    void discard();

    QString m_path;
    Kind m_kind = Kind::StandardOutput;
    int m_descriptor = -1;
    QByteArray m_target;                   // replacing: the file renamed over
    QByteArray m_temporary;                // replacing: the file written
    std::optional<unsigned> m_keptMode;    // replacing: the permissions of the file replaced
    std::optional<qint64> m_inPlaceLength; // a regular file in place: the bytes written
};

// Whether what an OutputFile for path writes to is a terminal (standard output for an
// empty path).
bool outputIsTerminal(const QString &path);
