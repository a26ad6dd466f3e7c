#pragma once

#include "Dialogs.h"

#include <cstdio>

// Answers the choosers with one path (a file or a folder) and prints any alert instead
// of showing it.
class AnsweringDialogs : public Dialogs
{
public:
    explicit AnsweringDialogs(QString path)
        : m_path(std::move(path))
    {}
    void runAlert(const QString &title, const QString &message, const QString &, QWidget *) override
    {
        std::fprintf(stderr, "alert: %s: %s\n", qPrintable(title), qPrintable(message));
    }
    std::optional<QString> chooseFile(const QStringList &, const QString &) override
    {
        return m_path;
    }
    QStringList chooseFiles(const QStringList &, const QString &) override { return {m_path}; }
    std::optional<QString> chooseFolder(const QString &) override { return m_path; }
    void runListAlert(const QString &title, const QString &message,
                      const QStringList &lines) override
    {
        runAlert(title, message + u' ' + lines.join(u"; "), {}, nullptr);
    }
    bool confirmReplace(const QString &, const QString &, const QString &) override { return true; }
    std::optional<qsizetype> chooseAmong(const QString &, const QString &,
                                         const QStringList &) override
    {
        return 0;
    }
    std::optional<PictureFileChoice> choosePictureFile(const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void showAbout(const QString &, const QString &) override {}

private:
    QString m_path;
};
