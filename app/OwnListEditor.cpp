#include "OwnListEditor.h"

#include "FileSaving.h"
#include "OwnFiles.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

OwnListEditor::OwnListEditor(QString path, QWidget *parent)
    : QDialog(parent)
    , m_path(std::move(path))
    , m_editor(new QPlainTextEdit(this))
    , m_status(new QLabel(this))
    , m_saveButton(new QPushButton(tr("&Save"), this))
    , m_reading(this, tr("There is not enough memory to read your list of words."))
{
    setWindowTitle(tr("Your Own List of Words to Leave Out"));
    auto *intro = new QLabel(tr("The cloud leaves these words out when View ▸ Leave Out Common "
                                "Words ▸ Your Own List is chosen. Separate them by spaces or "
                                "line breaks; lines starting with # are comments."),
                             this);
    intro->setWordWrap(true);
    auto *location = new QLabel(tr("Saved in %1").arg(QDir::toNativeSeparators(m_path)), this);
    location->setTextFormat(Qt::PlainText);
    location->setWordWrap(true);
    location->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_editor->setAccessibleName(tr("Words to leave out"));
    m_editor->setTabChangesFocus(true);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_saveButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Close);
    // Save keeps the window open; Close or Escape hides it, unsaved changes and all.
    connect(m_saveButton, &QPushButton::clicked, this, &OwnListEditor::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *saveShortcut = new QShortcut(QKeySequence::Save, this);
    connect(saveShortcut, &QShortcut::activated, this, &OwnListEditor::save);
    m_saveButton->setEnabled(false);
    connect(m_editor->document(), &QTextDocument::modificationChanged, m_saveButton,
            &QPushButton::setEnabled);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(location);
    layout->addWidget(m_editor, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    resize(440, 480);
}

OwnListEditor::~OwnListEditor() = default;

void OwnListEditor::edit(const QString &newListText)
{
    show();
    raise();
    activateWindow();
    if (m_editor->document()->isModified() || m_reading.isRunning())
        return;
    m_editor->setReadOnly(true);
    m_editor->setPlainText(QString());
    setStatus(tr("Reading the list…"), false);
    m_reading.start([path = m_path](std::stop_token stop) { return readOwnFile(path, stop); },
                    {[this, newListText](const TextFile &file) { takeRead(file, newListText); },
                     [this, newListText](const QString &message) {
                         TextFile failed;
                         failed.error = message;
                         takeRead(failed, newListText);
                     }});
}

QString OwnListEditor::statusText() const
{
    return m_status->text();
}

void OwnListEditor::takeRead(const TextFile &file, const QString &newListText)
{
    m_editor->setReadOnly(false);
    m_editor->setFocus();
    if (file.error.isEmpty()) {
        m_editor->setPlainText(file.text);
        setStatus(QString(), false);
    } else if (!QFileInfo::exists(m_path)) {
        // A new list: saving makes the file.
        m_editor->setPlainText(newListText);
        m_editor->document()->setModified(true);
        setStatus(tr("A new list, not saved yet."), false);
    } else {
        setStatus(tr("The list cannot be read: %1. Saving replaces the file with what is "
                     "written here.")
                      .arg(file.error),
                  true);
    }
}

void OwnListEditor::save()
{
    if (m_reading.isRunning() || !m_saveButton->isEnabled())
        return;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // What stands in the list's place and is no list (a FIFO, a link to a device) goes,
    // itself and not what it points to, for the list to take its place.
    const QFileInfo current(m_path);
    if ((current.exists() || current.isSymLink()) && !current.isFile())
        QFile::remove(m_path);
    if (const std::optional<QString> problem =
            saveWholeFile(m_path, m_editor->toPlainText().toUtf8())) {
        setStatus(tr("The list was not saved: %1.").arg(*problem), true);
        return;
    }
    m_editor->document()->setModified(false);
    setStatus(tr("Saved."), false);
    emit saved();
}

void OwnListEditor::setStatus(const QString &text, bool isProblem)
{
    m_status->setText(text);
    QPalette colours = palette();
    if (isProblem)
        colours.setColor(QPalette::WindowText, QColor(0xa0, 0x10, 0x10));
    m_status->setPalette(colours);
    m_status->setVisible(!text.isEmpty());
}
