#pragma once

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;
class TextPipeline;
class ViewSettings;

// View ▸ Index Cache: whether the indexes of texts are kept between runs, so that a
// text opened again shows its trees at once, and how much room they may take. Both
// remembered; the pipeline follows at once.
class IndexCacheMenu : public QObject
{
    Q_OBJECT

public:
    // settings and pipeline outlive this object.
    IndexCacheMenu(ViewSettings &settings, TextPipeline &pipeline, QObject *parent = nullptr);

    QMenu *makeMenu(QWidget *parent) const;
    // Checkable: keep the indexes.
    QAction *keepAction() const { return m_keep; }
    // The size limits offered, by the action's data in bytes.
    QList<QAction *> sizeActions() const;

private:
    void remember();
    void apply();

    ViewSettings &m_settings;
    TextPipeline &m_pipeline;
    QAction *m_keep; // owned through Qt's parent-child tree, as is the group
    QActionGroup *m_sizes;
};
