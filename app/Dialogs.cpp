#include "Dialogs.h"

#include "MessageText.h"
#include "OwnActivationWatch.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// More would not fit a screen; the rest are counted.
constexpr qsizetype longestListShown = 20;

struct PictureFilter
{
    QString name;
    PictureFileChoice::Format format;
    qreal scale;
    SvgWords svgWords = SvgWords::Text;
};

QList<PictureFilter> pictureFilters()
{
    using Format = PictureFileChoice::Format;
    return {{QObject::tr("PNG image, twice the screen's scale (*.png)"), Format::Png, 2.0},
            {QObject::tr("PNG image, the screen's scale (*.png)"), Format::Png, 1.0},
            {QObject::tr("SVG drawing, words as text (*.svg)"), Format::Svg, 1.0},
            {QObject::tr("SVG drawing, words as outlines (*.svg)"), Format::Svg, 1.0,
             SvgWords::Outlines}};
}

} // namespace

void WidgetDialogs::runAlert(const QString &title, const QString &message, const QString &button,
                             QWidget *over)
{
    QMessageBox box(QMessageBox::Warning, title, escapedControls(message), QMessageBox::NoButton,
                    over ? over->window() : parentWindow());
    box.setTextFormat(Qt::PlainText);
    box.addButton(button, QMessageBox::AcceptRole);
    runModal(box);
}

void WidgetDialogs::runListAlert(const QString &title, const QString &message,
                                 const QStringList &lines)
{
    // Each line escaped on its own: a name cannot break the list's lines.
    QStringList text{escapedControls(message), QString()};
    const qsizetype shown = std::min<qsizetype>(lines.size(), longestListShown);
    for (qsizetype index = 0; index < shown; ++index)
        text << escapedControls(lines[index]);
    if (shown < lines.size())
        text << QObject::tr("and %L1 more").arg(lines.size() - shown);
    QMessageBox box(QMessageBox::Warning, title, text.join(u'\n'), QMessageBox::NoButton,
                    parentWindow());
    box.setTextFormat(Qt::PlainText);
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    runModal(box);
}

bool WidgetDialogs::confirmReplace(const QString &title, const QString &message,
                                   const QString &replaceButton)
{
    QMessageBox box(QMessageBox::Question, title, escapedControls(message), QMessageBox::NoButton,
                    parentWindow());
    box.setTextFormat(Qt::PlainText);
    QPushButton *replace = box.addButton(replaceButton, QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    runModal(box);
    return box.clickedButton() == replace;
}

std::optional<qsizetype> WidgetDialogs::chooseAmong(const QString &title, const QString &message,
                                                    const QStringList &choices)
{
    QMessageBox box(QMessageBox::Question, title, escapedControls(message), QMessageBox::NoButton,
                    parentWindow());
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton *> buttons;
    for (const QString &choice : choices)
        buttons.push_back(box.addButton(choice, QMessageBox::AcceptRole));
    box.addButton(QMessageBox::Cancel);
    if (!buttons.empty())
        box.setDefaultButton(buttons.front());
    runModal(box);
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    if (chosen == buttons.end())
        return std::nullopt;
    return qsizetype(chosen - buttons.begin());
}

std::optional<QString> WidgetDialogs::chooseFile(const QStringList &fileTypes, const QString &title)
{
    const QStringList files = chooseExistingFiles(fileTypes, title, false);
    if (files.isEmpty())
        return std::nullopt;
    return files.constFirst();
}

QStringList WidgetDialogs::chooseFiles(const QStringList &fileTypes, const QString &title)
{
    return chooseExistingFiles(fileTypes, title, true);
}

QStringList WidgetDialogs::chooseExistingFiles(const QStringList &fileTypes, const QString &title,
                                               bool several)
{
    QStringList patterns;
    for (const QString &type : fileTypes)
        patterns << u"*."_s + type;
    QFileDialog dialog(parentWindow(), title);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setNameFilter(QObject::tr("Text files (%1)").arg(patterns.join(u' ')));
    if (runModal(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<QString> WidgetDialogs::chooseFolder(const QString &title)
{
    QFileDialog dialog(parentWindow(), title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<PictureFileChoice> WidgetDialogs::choosePictureFile(const QString &title,
                                                                  const QString &suggestedName)
{
    const QList<PictureFilter> filters = pictureFilters();
    QStringList names;
    for (const PictureFilter &filter : filters)
        names << filter.name;
    QFileDialog dialog(parentWindow(), title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(names);
    dialog.setDefaultSuffix(u"png"_s);
    dialog.selectFile(suggestedName + u".png"_s);
    // Choosing a format gives the name in the field that format's suffix.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString &name) {
            for (const PictureFilter &filter : filters) {
                if (filter.name != name)
                    continue;
                const QString suffix =
                    filter.format == PictureFileChoice::Format::Svg ? u"svg"_s : u"png"_s;
                dialog.setDefaultSuffix(suffix);
                const QString typed = dialog.selectedFiles().value(0);
                if (!typed.isEmpty())
                    dialog.selectFile(QFileInfo(typed).completeBaseName() + u'.' + suffix);
            }
        });
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;

    PictureFileChoice choice;
    choice.path = dialog.selectedFiles().constFirst();
    for (const PictureFilter &filter : filters)
        if (filter.name == dialog.selectedNameFilter()) {
            choice.format = filter.format;
            if (filter.format == PictureFileChoice::Format::Png)
                choice.scale = filter.scale;
            else
                choice.svgWords = filter.svgWords;
        }
    // A typed suffix wins over the chosen filter.
    if (choice.path.endsWith(u".svg"_s, Qt::CaseInsensitive))
        choice.format = PictureFileChoice::Format::Svg;
    else if (choice.path.endsWith(u".png"_s, Qt::CaseInsensitive))
        choice.format = PictureFileChoice::Format::Png;
    return choice;
}

void WidgetDialogs::showAbout(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parentWindow());
    box.setTextFormat(Qt::PlainText);
    runModal(box);
}

QWidget *WidgetDialogs::parentWindow() const
{
    // In front of the window the user is in, so that closing the dialog hands the
    // activation back to it.
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return m_fallbackParent;
}

int WidgetDialogs::runModal(QDialog &dialog)
{
    const int result = dialog.exec();
    m_activationWatch.expectOwnActivation();
    return result;
}
