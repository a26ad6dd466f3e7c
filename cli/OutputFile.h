#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A command's result on its way to a file, written in pieces as it is made. Every
// failure is one line naming the path and the system's reason; nothing is left behind.
//
// - A regular file, or a path where nothing is yet, is replaced whole: the bytes go to
//   a temporary file beside it, flushed to the disk, then renamed over it by commit(),
//   so a reader finds the old content or the new, never a part. A symlink to a regular
//   file keeps pointing to it; the file's permissions are kept.
// - Anything else (a FIFO, a device, a terminal, a symlink to one) is opened and written
//   in place, never replaced or removed.
// - The file standard output already writes to (/dev/stdout, say) is written through
//   standard output, at its current offset; so is an empty path.
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
    std::optional<QString> openInPlace(int extraFlags);
    std::optional<QString> openReplacing(const QByteArray &target, std::optional<unsigned> mode);
    void discard();

    QString m_path;
    Kind m_kind = Kind::StandardOutput;
    int m_descriptor = -1;
    QByteArray m_target;                // replacing: the file renamed over
    QByteArray m_temporary;             // replacing: the file written
    std::optional<unsigned> m_keptMode; // replacing: the permissions of the file replaced
};

// Writes bytes to the file at path, as an OutputFile does, in one piece.
std::optional<QString> writeOutputFile(const QByteArray &bytes, const QString &path);
