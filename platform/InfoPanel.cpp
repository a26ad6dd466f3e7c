#include "InfoPanel.h"

#include "ShownWord.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int margin = 8;
// Room left between the panel and what it stands beside.
constexpr int gap = 4;

void sizeToFit(QLabel *label)
{
    label->resize(label->sizeHint());
}

} // namespace

int infoPanelWidthDelta(InfoFieldWidths before, InfoFieldWidths after)
{
    const int oldMax = std::max(static_cast<int>(before.word), static_cast<int>(before.count));
    const qreal newMax = after.word > after.count ? after.word : after.count;
    return static_cast<int>(newMax - oldMax);
}

QPoint infoPanelPosition(const QRect &available, const QSize &panelSize, const QRect &target)
{
    int y = target.bottom() + 1 + gap;
    if (y + panelSize.height() > available.bottom() + 1)
        y = target.top() - gap - panelSize.height();
    const int x = std::clamp(target.left(), available.left(),
                             std::max(available.left(), available.right() + 1 - panelSize.width()));
    return {x, std::clamp(y, available.top(),
                          std::max(available.top(), available.bottom() + 1 - panelSize.height()))};
}

InfoPanel::InfoPanel(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_wordField(new QLabel(this))
    , m_countField(new QLabel(this))
    , m_noteField(new QLabel(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(u"Info"_s);
    // A tooltip's colours and a thin border set it apart from the windows below.
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAutoFillBackground(true);
    m_wordField->setObjectName(u"wordTextField"_s);
    m_countField->setObjectName(u"countTextField"_s);
    // A word from the user's text is shown as it is, never read as markup.
    m_wordField->setTextFormat(Qt::PlainText);
    m_countField->setTextFormat(Qt::PlainText);
    m_noteField->setTextFormat(Qt::PlainText);
    m_noteField->hide();
    m_wordField->setText(u"Word"_s);
    m_countField->setText(u"Count"_s);
    sizeToFit(m_wordField);
    sizeToFit(m_countField);
    m_wordField->move(margin, margin);
    m_countField->move(margin, m_wordField->geometry().bottom() + 1 + margin / 2);
    m_fieldsSize = QSize(std::max(m_wordField->width(), m_countField->width()) + 2 * margin,
                         m_countField->geometry().bottom() + 1 + margin);
    resize(m_fieldsSize);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive)
                    hide();
            });
}

void InfoPanel::showWord(const QString &word, const QString &counts, const QString &note)
{
    const InfoFieldWidths before{qreal(m_wordField->width()), qreal(m_countField->width())};
    show();
    m_wordField->setText(panelWord(word));
    sizeToFit(m_wordField);
    m_countField->setText(counts);
    sizeToFit(m_countField);
    const InfoFieldWidths after{qreal(m_wordField->width()), qreal(m_countField->width())};
    m_fieldsSize.rwidth() += infoPanelWidthDelta(before, after);
    m_noteField->setText(note);
    m_noteField->setVisible(!note.isEmpty());
    if (note.isEmpty()) {
        resize(m_fieldsSize);
        return;
    }
    sizeToFit(m_noteField);
    m_noteField->move(margin, m_countField->geometry().bottom() + 1 + margin / 2);
    resize(std::max(m_fieldsSize.width(), m_noteField->width() + 2 * margin),
           m_noteField->geometry().bottom() + 1 + margin);
}

void InfoPanel::placeBeside(const QRect &target)
{
    const QScreen *screen = QGuiApplication::screenAt(target.center());
    if (!screen)
        screen = this->screen();
    if (!screen)
        return;
    move(infoPanelPosition(screen->availableGeometry(), size(), target));
}

void InfoPanel::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Without a window frame, a thin border sets the panel apart from what lies below.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
