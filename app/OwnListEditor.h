#pragma once

#include "Job.h"
#include "TextFile.h"

#include <QDialog>
#include <stop_token>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// A small window for editing the user's own list of words to leave out of the cloud:
// the file's path shown, the list read on a worker as the app's own files are read (a
// file that cannot be read is said so, and saving makes it anew), and Save writing the
// whole list or, on failure, nothing and saying why. Closed with changes unsaved, it
// keeps them for the next time it is opened.
class OwnListEditor : public QDialog
{
    Q_OBJECT

public:
    explicit OwnListEditor(QString path, QWidget *parent = nullptr);
    ~OwnListEditor() override;

    // Shows the editor in front, with the list as its file holds it now (or
    // newListText where there is no file yet), unless it holds unsaved changes.
    void edit(const QString &newListText);

    QPlainTextEdit *editor() const { return m_editor; }
    QPushButton *saveButton() const { return m_saveButton; }
    // What the editor says of the file: read, saved, or what went wrong.
    QString statusText() const;
    bool isReading() const { return m_reading.isRunning(); }

signals:
    // The list is saved in its file.
    void saved();

private:
    void takeRead(const TextFile &file, const QString &newListText);
    void save();
    void setStatus(const QString &text, bool isProblem);

    QString m_path;
    // Owned through Qt's parent-child tree (this window).
    QPlainTextEdit *m_editor;
    QLabel *m_status;
    QPushButton *m_saveButton;
    Job<TextFile> m_reading;
};
