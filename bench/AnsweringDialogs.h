#pragma once

#include "Dialogs.h"

#include <cstdio>

// Answers the chooser with one path and prints any alert instead of showing it.
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
    std::optional<PictureFileChoice> choosePictureFile(const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void showAbout(const QString &, const QString &) override {}

private:
    QString m_path;
};
