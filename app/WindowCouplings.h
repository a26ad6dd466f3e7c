#pragma once

#include <QObject>

class InfoPanel;
class OwnActivationWatch;
class VerbariumView;
class WordCloudView;

// Couples the cloud window to the others: refits the cloud on every resize, tracks
// the pointer only while the cloud window is active, and hides the verbarium window
// whenever the cloud window becomes active. Installed as an event filter on the
// cloud window.
class CloudWindowCoupling : public QObject
{
    Q_OBJECT

public:
    // The views belong to the user-interface description and outlive this object.
    CloudWindowCoupling(WordCloudView *view, VerbariumView *treeView, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cloudWindowActivated();
    void cloudWindowDeactivated();

    WordCloudView *m_view;
    VerbariumView *m_treeView;
};

// Returning to the input window hides the cloud's info panel, the cloud window and
// the verbarium window. An activation the app brought about itself (one of its
// dialogs closing) is no return of the user's and hides nothing. Installed as
// an event filter on the input window.
class InputWindowCoupling : public QObject
{
    Q_OBJECT

public:
    // wordInfoPanel is the cloud's info panel. The views and the panel belong to the
    // user-interface description; they and activationWatch outlive this object.
    InputWindowCoupling(WordCloudView *cloudView, VerbariumView *treeView, InfoPanel *wordInfoPanel,
                        OwnActivationWatch &activationWatch, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hideOtherWindows();

    WordCloudView *m_cloudView;
    VerbariumView *m_treeView;
    InfoPanel *m_wordInfoPanel;
    OwnActivationWatch &m_activationWatch;
};
