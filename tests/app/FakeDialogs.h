#pragma once

#include "Dialogs.h"

// Answers the controller's dialogs without a modal loop and remembers what it was asked.
class FakeDialogs : public Dialogs
{
public:
    struct Alert
    {
        QString title;
        QString message;
        QString button;
        QWidget *over;
    };

    void runAlert(const QString &title, const QString &message, const QString &button,
                  QWidget *over) override
    {
        alerts.push_back({title, message, button, over});
    }
    std::optional<QString> chooseFile(const QStringList &fileTypes, const QString &title) override
    {
        askedFileTypes = fileTypes;
        fileTitles << title;
        return chosenFile;
    }
    QStringList chooseFiles(const QStringList &fileTypes, const QString &title) override
    {
        askedFileTypes = fileTypes;
        fileTitles << title;
        return chosenFiles;
    }
    std::optional<QString> chooseFolder(const QString &title) override
    {
        fileTitles << title;
        return chosenFolder;
    }
    std::optional<qsizetype> chooseAmong(const QString &title, const QString &,
                                         const QStringList &choices) override
    {
        choiceTitles << title;
        offeredChoices = choices;
        return chosenAmong;
    }
    void runListAlert(const QString &title, const QString &message,
                      const QStringList &lines) override
    {
        alerts.push_back(
            {title, message + u'\n' + lines.join(u'\n'), QStringLiteral("OK"), nullptr});
    }
    bool confirmReplace(const QString &title, const QString &, const QString &) override
    {
        confirmations << title;
        return replaceConfirmed;
    }
    std::optional<PictureFileChoice> choosePictureFile(const QString &title,
                                                       const QString &) override
    {
        pictureTitles << title;
        return pictureFile;
    }
    void showAbout(const QString &title, const QString &text) override
    {
        about = title + u'\n' + text;
    }

    std::vector<Alert> alerts;
    std::optional<QString> chosenFile;
    QStringList chosenFiles;
    QStringList confirmations;
    bool replaceConfirmed = true;
    QStringList choiceTitles;
    QStringList offeredChoices;
    std::optional<qsizetype> chosenAmong;
    std::optional<QString> chosenFolder;
    QStringList askedFileTypes;
    QStringList fileTitles;
    std::optional<PictureFileChoice> pictureFile;
    QStringList pictureTitles;
    QString about;
};
