#pragma once

#include "LayerExport.h"

#include <QString>
#include <QStringList>
#include <optional>

class OwnActivationWatch;
class QDialog;
class QWidget;

// Where and how to write an exported picture.
struct PictureFileChoice
{
    enum class Format { Png, Svg };

    QString path;
    Format format = Format::Png;
    // For PNG: pixels per point relative to the window's own scale.
    qreal scale = 2.0;
    SvgWords svgWords = SvgWords::Text;
};

// The modal dialogs the controller needs, behind an interface so tests can answer
// them without running a modal loop.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // over: the window the alert stands in front of; when null, the one the user is in.
    virtual void runAlert(const QString &title, const QString &message, const QString &button,
                          QWidget *over = nullptr) = 0;
    // One existing file, offered among those whose suffix is one of fileTypes, in a
    // dialog titled title; nothing when cancelled. A typed path may have any suffix.
    virtual std::optional<QString> chooseFile(const QStringList &fileTypes,
                                              const QString &title) = 0;
    // Existing files as chooseFile offers them, any number; none when cancelled.
    virtual QStringList chooseFiles(const QStringList &fileTypes, const QString &title) = 0;
    virtual std::optional<QString> chooseFolder(const QString &title) = 0;
    // Whether to go on and replace what the user would lose: true for the button named
    // replaceButton, false for Cancel.
    virtual bool confirmReplace(const QString &title, const QString &message,
                                const QString &replaceButton) = 0;
    // Which of choices (a button's text each, the first the default) the user takes, asked
    // with message; nothing for Cancel.
    virtual std::optional<qsizetype> chooseAmong(const QString &title, const QString &message,
                                                 const QStringList &choices) = 0;
    // An alert whose message goes on with a list, a line each (files and why).
    virtual void runListAlert(const QString &title, const QString &message,
                              const QStringList &lines) = 0;
    // A file to export a picture to; nothing when cancelled.
    virtual std::optional<PictureFileChoice> choosePictureFile(const QString &title,
                                                               const QString &suggestedName) = 0;
    virtual void showAbout(const QString &title, const QString &text) = 0;
};

// The dialogs as windows, each in front of the window that is active when it opens.
class WidgetDialogs : public Dialogs
{
public:
    // fallbackParent: the window the dialogs stand in front of when none of the app is
    // active. activationWatch hears of every closed dialog. Both outlive this object.
    WidgetDialogs(QWidget *fallbackParent, OwnActivationWatch &activationWatch)
        : m_fallbackParent(fallbackParent)
        , m_activationWatch(activationWatch)
    {}

    // The message is plain text, one paragraph: control characters in names it holds
    // are shown as escapes.
    void runAlert(const QString &title, const QString &message, const QString &button,
                  QWidget *over = nullptr) override;
    std::optional<QString> chooseFile(const QStringList &fileTypes, const QString &title) override;
    QStringList chooseFiles(const QStringList &fileTypes, const QString &title) override;
    std::optional<QString> chooseFolder(const QString &title) override;
    void runListAlert(const QString &title, const QString &message,
                      const QStringList &lines) override;
    bool confirmReplace(const QString &title, const QString &message,
                        const QString &replaceButton) override;
    std::optional<qsizetype> chooseAmong(const QString &title, const QString &message,
                                         const QStringList &choices) override;
    std::optional<PictureFileChoice> choosePictureFile(const QString &title,
                                                       const QString &suggestedName) override;
    void showAbout(const QString &title, const QString &text) override;

private:
    QStringList chooseExistingFiles(const QStringList &fileTypes, const QString &title,
                                    bool several);
    QWidget *parentWindow() const;
    int runModal(QDialog &dialog);

    QWidget *m_fallbackParent;
    OwnActivationWatch &m_activationWatch;
};
