#include "InfoPanel.h"

#include "ShownWord.h"

#include <QLabel>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int margin = 8;

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

InfoPanel::InfoPanel(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnTopHint)
    , m_wordField(new QLabel(this))
    , m_countField(new QLabel(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(u"Info"_s);
    m_wordField->setObjectName(u"wordTextField"_s);
    m_countField->setObjectName(u"countTextField"_s);
    // A word from the user's text is shown as it is, never read as markup.
    m_wordField->setTextFormat(Qt::PlainText);
    m_countField->setTextFormat(Qt::PlainText);
    m_wordField->setText(u"Word"_s);
    m_countField->setText(u"Count"_s);
    sizeToFit(m_wordField);
    sizeToFit(m_countField);
    m_wordField->move(margin, margin);
    m_countField->move(margin, m_wordField->geometry().bottom() + 1 + margin / 2);
    resize(std::max(m_wordField->width(), m_countField->width()) + 2 * margin,
           m_countField->geometry().bottom() + 1 + margin);
}

void InfoPanel::showWord(const QString &word, int count)
{
    const InfoFieldWidths before{qreal(m_wordField->width()), qreal(m_countField->width())};
    show();
    m_wordField->setText(panelWord(word));
    sizeToFit(m_wordField);
    m_countField->setText(QString::number(count));
    sizeToFit(m_countField);
    const InfoFieldWidths after{qreal(m_wordField->width()), qreal(m_countField->width())};
    resize(width() + infoPanelWidthDelta(before, after), height());
}
