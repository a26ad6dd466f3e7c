#pragma once

#include "Dialogs.h"

#include <QObject>
#include <QSizeF>

class Layer;
class LayerHostWidget;

// Writes the picture of a view's layers to choice's file, as the command-line tool
// paints it: SVG, or PNG at choice.scale times windowScale pixels per point. Returns
// an empty string, or a one-line message naming the file and what went wrong.
QString writePictureFile(const Layer &root, QSizeF viewSize, const PictureFileChoice &choice,
                         qreal windowScale);

// The picture windows' export and copy: File ▸ Export Cloud…, File ▸ Export
// Verbarium… and Edit ▸ Copy in the cloud and verbarium windows.
class PictureExport : public QObject
{
    Q_OBJECT

public:
    // The views belong to the user-interface description and, like dialogs, outlive
    // this object.
    PictureExport(LayerHostWidget *cloudView, LayerHostWidget *verbariumView, Dialogs &dialogs,
                  QObject *parent = nullptr);

    bool canExportCloud() const;
    bool canExportVerbarium() const;
    // Whether window is the cloud's or the verbarium's and shows a picture.
    bool canCopyPictureOf(const QWidget *window) const;

public slots:
    void exportCloud();
    void exportVerbarium();
    // Puts the picture of the view in the active window on the clipboard.
    void copyPicture();

private:
    // The picture view inside window, or null.
    LayerHostWidget *pictureViewIn(const QWidget *window) const;
    void exportView(LayerHostWidget *view, const QString &title, const QString &suggestedName);

    LayerHostWidget *m_cloudView;     // non-owning: part of the cloud window
    LayerHostWidget *m_verbariumView; // non-owning: part of the verbarium window
    Dialogs &m_dialogs;
};
