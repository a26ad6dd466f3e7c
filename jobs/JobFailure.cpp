#include "Job.h"

#include <QCoreApplication>

QString unexpectedJobFailure(const std::exception *error)
{
    if (!error)
        return QCoreApplication::translate("Job", "Something went wrong.");
    return QCoreApplication::translate("Job", "Something went wrong: %1.")
        .arg(QString::fromLocal8Bit(error->what()));
}
