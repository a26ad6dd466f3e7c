#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

void WidgetDialogs::runAlert(const QString &title, const QString &message, const QString &button)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::NoButton, m_parent);
    box.addButton(button, QMessageBox::AcceptRole);
    box.exec();
}

std::optional<QString> WidgetDialogs::chooseFile(const QStringList &fileTypes)
{
    QStringList patterns;
    for (const QString &type : fileTypes)
        patterns << u"*."_s + type;
    QFileDialog dialog(m_parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QObject::tr("Text files (%1)").arg(patterns.join(u' ')));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
