#include "WorkerRequests.h"

#include <QApplication>

WorkerRequests::WorkerRequests(QObject *parent)
    : QObject(parent)
{}

WorkerRequests::~WorkerRequests()
{
    if (m_runningJobs > 0)
        QApplication::restoreOverrideCursor();
}

void WorkerRequests::jobStarted()
{
    if (m_runningJobs++ == 0) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        emit busyChanged(true);
    }
}

void WorkerRequests::jobEnded()
{
    if (--m_runningJobs == 0) {
        QApplication::restoreOverrideCursor();
        emit busyChanged(false);
    }
}
