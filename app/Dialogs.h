#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// The modal dialogs the controller needs, behind an interface so tests can answer
// them without running a modal loop.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual void runAlert(const QString &title, const QString &message, const QString &button) = 0;
    // One existing file whose suffix is one of fileTypes; nothing when cancelled.
    virtual std::optional<QString> chooseFile(const QStringList &fileTypes) = 0;
};

class WidgetDialogs : public Dialogs
{
public:
    // parent: the window the dialogs stand in front of; it outlives this object.
    explicit WidgetDialogs(QWidget *parent)
        : m_parent(parent)
    {}

    void runAlert(const QString &title, const QString &message, const QString &button) override;
    std::optional<QString> chooseFile(const QStringList &fileTypes) override;

private:
    QWidget *m_parent;
};
