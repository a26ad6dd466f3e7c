#include "PictureExport.h"

#include "FileSaving.h"
#include "LayerExport.h"
#include "LayerHostWidget.h"

#include <QApplication>
#include <QClipboard>

using namespace Qt::Literals::StringLiterals;

namespace {

bool hasPicture(const LayerHostWidget *view)
{
    return !view->rootLayer()->sublayers().empty() && !view->pictureSize().isEmpty();
}

} // namespace

QString writePictureFile(const Layer &root, QSizeF viewSize, const PictureFileChoice &choice,
                         qreal windowScale)
{
    QByteArray bytes;
    if (choice.format == PictureFileChoice::Format::Svg) {
        bytes = renderLayersToSvg(root, viewSize, choice.svgWords);
    } else {
        const std::optional<QByteArray> png =
            renderLayersToPng(root, viewSize, choice.scale * windowScale);
        if (!png)
            return QObject::tr("Cannot make a picture of %1 × %2 points for %3: it is too large.")
                .arg(viewSize.width())
                .arg(viewSize.height())
                .arg(choice.path);
        bytes = *png;
    }
    if (const std::optional<QString> problem = saveWholeFile(choice.path, bytes))
        return QObject::tr("Cannot write %1: %2.").arg(choice.path, *problem);
    return {};
}

PictureExport::PictureExport(LayerHostWidget *cloudView, LayerHostWidget *verbariumView,
                             Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_cloudView(cloudView)
    , m_verbariumView(verbariumView)
    , m_dialogs(dialogs)
{}

bool PictureExport::canExportCloud() const
{
    return hasPicture(m_cloudView);
}

bool PictureExport::canExportVerbarium() const
{
    return hasPicture(m_verbariumView);
}

bool PictureExport::canCopyPictureOf(const QWidget *window) const
{
    const LayerHostWidget *view = pictureViewIn(window);
    return view && hasPicture(view);
}

LayerHostWidget *PictureExport::pictureViewIn(const QWidget *window) const
{
    for (LayerHostWidget *view : {m_cloudView, m_verbariumView})
        if (window && view->window() == window)
            return view;
    return nullptr;
}

void PictureExport::exportCloud()
{
    if (canExportCloud())
        exportView(m_cloudView, tr("Export Cloud"), u"cloud"_s);
}

void PictureExport::exportVerbarium()
{
    if (canExportVerbarium())
        exportView(m_verbariumView, tr("Export Verbarium"), u"verbarium"_s);
}

void PictureExport::copyPicture()
{
    LayerHostWidget *view = pictureViewIn(QApplication::activeWindow());
    if (!view || !hasPicture(view))
        return;
    // At the window's own scale: pasted elsewhere, it has the size it has on screen.
    QApplication::clipboard()->setImage(
        renderLayersToImage(*view->rootLayer(), view->pictureSize(), view->devicePixelRatioF()));
}

void PictureExport::exportView(LayerHostWidget *view, const QString &title,
                               const QString &suggestedName)
{
    const std::optional<PictureFileChoice> choice =
        m_dialogs.choosePictureFile(title, suggestedName);
    if (!choice)
        return;
    const QString error = writePictureFile(*view->rootLayer(), view->pictureSize(), *choice,
                                           view->devicePixelRatioF());
    if (!error.isEmpty())
        // In front of the picture's window, whichever window the chooser handed the
        // activation back to.
        m_dialogs.runAlert(tr("Cannot Export Picture"), error, u"OK"_s, view->window());
}
