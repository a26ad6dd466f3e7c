#include "CountText.h"

#include <QCoreApplication>

namespace {

QString branchesText(qint64 branches)
{
    return branches == 1 ? QCoreApplication::translate("CountText", "1 branch")
                         : QCoreApplication::translate("CountText", "%L1 branches").arg(branches);
}

} // namespace

QString timesText(qint64 times)
{
    return times == 1 ? QCoreApplication::translate("CountText", "1 time")
                      : QCoreApplication::translate("CountText", "%L1 times").arg(times);
}

QString timesAndBranchesText(qint64 times, qint64 branches)
{
    return QCoreApplication::translate("CountText", "%1 · %2")
        .arg(timesText(times), branchesText(branches));
}

QString spokenTimesAndBranches(const QString &word, qint64 times, qint64 branches)
{
    return QCoreApplication::translate("CountText", "%1, %2, %3")
        .arg(word, timesText(times), branchesText(branches));
}

QString timesInFilesText(qint64 times, qint64 filesHolding, qint64 files)
{
    if (files <= 1)
        return timesText(times);
    return QCoreApplication::translate("CountText", "%1 in %L2 of %L3 files")
        .arg(timesText(times))
        .arg(filesHolding)
        .arg(files);
}

QString timesInFilesAndBranchesText(qint64 times, qint64 filesHolding, qint64 files,
                                    qint64 branches)
{
    return QCoreApplication::translate("CountText", "%1 · %2")
        .arg(timesInFilesText(times, filesHolding, files), branchesText(branches));
}
