#pragma once

#include "LayerHostWidget.h"
#include "Node.h"
#include "TextLayer.h"
#include "TreeText.h"
#include "VerbariumLayout.h"

#include <QPointer>
#include <QTimer>
#include <memory>

class InfoPanel;
class NodeLayer;
class QLineEdit;
class QScrollArea;

// The verbarium of a chosen word: grows the tree of the word sequences that follow it,
// shows it from a start node, and answers the pointer: a left click re-roots the
// display, a right click restarts from the clicked word, hovering shows counts.
class VerbariumView : public LayerHostWidget
{
    Q_OBJECT

public:
    explicit VerbariumView(QWidget *parent = nullptr);
    ~VerbariumView() override;

    // Connections to the controls around the view, made by its window. None is owned;
    // each may be left unset.
    void setInputField(QLineEdit *inputField) { m_inputField = inputField; }
    void setParentWords(QLineEdit *parentWords) { m_parentWords = parentWords; }
    void setScrollView(QScrollArea *scrollView) { m_scrollView = scrollView; }
    void setWordInfoPanel(InfoPanel *wordInfoPanel) { m_wordInfoPanel = wordInfoPanel; }

    // Takes the tree text of a new analysis; what is shown stays until the next start.
    void setText(const QString &text);
    void startWithWord(const QString &word);
    // node must share ownership of its tree.
    void displayVerbariumFromNode(const std::shared_ptr<Node> &node);

    const std::shared_ptr<Node> &root() const { return m_root; }
    std::shared_ptr<Node> startNode() const { return m_startNode.lock(); }
    const std::vector<Layer *> &layers() const { return m_layout.layers(); }
    QSizeF viewSize() const { return m_layout.viewSize(); }
    float maxCount() const { return m_layout.maxCount(); }

public slots:
    // Starts with the lower-cased text of the input field.
    void start();
    void startAtStartNode();
    // Redisplays for the window's new size once a resize has come to rest.
    void viewDidEndLiveResize();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    NodeLayer *nodeLayerAt(QPointF widgetPoint);
    void mouseUp(const NodeLayer &hit);
    void rightMouseUp(const NodeLayer &hit);
    void mouseMoved(const NodeLayer &hit);
    void updateTrackingAreas();
    void watchWindowResizes();
    void growToVisibleArea();

    QString m_pendingText; // the text of the last setText until it is prepared
    std::unique_ptr<TreeText> m_scanner;
    std::shared_ptr<Node> m_root;
    // Not an owner: the root, or the start word's layer, keeps the node alive.
    std::weak_ptr<Node> m_startNode;
    FontMetricsMeasurer m_measurer;
    VerbariumLayout m_layout;

    QLineEdit *m_inputField = nullptr;    // non-owning: the window's control
    QLineEdit *m_parentWords = nullptr;   // non-owning: the window's control
    QScrollArea *m_scrollView = nullptr;  // non-owning: the scroll area holding this view
    InfoPanel *m_wordInfoPanel = nullptr; // non-owning: shared with the cloud
    QPointer<QWidget> m_watchedWindow;    // the window whose resizes end in a redisplay
    QTimer m_liveResizeEnd;
};
