#include "KeynessWindow.h"

#include "KeynessComparison.h"
#include "KeynessTableModel.h"
#include "KeynessTableView.h"
#include "WordCloudView.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

struct SignificanceLevel
{
    const char *label;
    double minimum;
};

// Weakest first; the middle one is the default.
constexpr SignificanceLevel significanceLevels[] = {
    {QT_TRANSLATE_NOOP("KeynessWindow", "p < 0.05 (log-likelihood ≥ 3.84)"), Significance::p05},
    {QT_TRANSLATE_NOOP("KeynessWindow", "p < 0.01 (log-likelihood ≥ 6.63)"), Significance::p01},
    {QT_TRANSLATE_NOOP("KeynessWindow", "p < 0.001 (log-likelihood ≥ 10.83)"), Significance::p001},
};

QString colourSwatch(const QColor &color)
{
    return u"<span style=\"color:%1\">■</span>"_s.arg(color.name());
}

} // namespace

KeynessWindow::KeynessWindow(QWidget *parent)
    : QWidget(parent)
    , m_model(new KeynessTableModel(this))
    , m_sortedModel(new QSortFilterProxyModel(this))
    , m_tableView(new KeynessTableView)
    , m_summary(new QLabel)
{
    setWindowTitle(tr("Keyness"));
    m_sortedModel->setSourceModel(m_model);
    m_sortedModel->setSortRole(KeynessTableModel::sortRole);
    m_sortedModel->setSortLocaleAware(true);
    m_tableView->setModel(m_sortedModel);
    m_tableView->setAccessibleName(tr("Words compared"));
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab leaves the table for the cloud; the arrows move between the cells.
    m_tableView->setTabKeyNavigation(false);
    m_tableView->setSortingEnabled(true);
    m_tableView->sortByColumn(KeynessTableModel::LogLikelihood, Qt::DescendingOrder);
    m_tableView->verticalHeader()->hide();
    m_tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    connect(m_tableView, &QTableView::activated, this, [this](const QModelIndex &index) {
        const QString word = m_model->wordAt(m_sortedModel->mapToSource(index).row());
        if (!word.isEmpty())
            emit wordChosen(word);
    });

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_tableView);
    splitter->addWidget(makeCloudSide());
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({560, 540});
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeTopRow());
    layout->addWidget(splitter, 1);
    layout->addWidget(m_summary);
    // The keyboard starts in the table, where the arrows go from word to word.
    m_tableView->setFocus();
}

KeynessWindow::~KeynessWindow() = default;

bool KeynessWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_cloudView->scrollView())
        m_cloudView->scaleLayersToSize(static_cast<QResizeEvent *>(event)->size());
    return QWidget::eventFilter(watched, event);
}

QWidget *KeynessWindow::makeTopRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_busyBar = new QProgressBar;
    m_busyBar->setRange(0, 0);
    m_busyBar->setMaximumWidth(120);
    m_busyBar->setAccessibleName(tr("Comparing"));
    m_busyBar->hide();
    m_status = new QLabel;
    m_significance = new QComboBox;
    for (const SignificanceLevel &level : significanceLevels)
        m_significance->addItem(tr(level.label), level.minimum);
    m_significance->setCurrentIndex(1);
    auto *significanceLabel = new QLabel(tr("&Significant at:"));
    significanceLabel->setBuddy(m_significance);
    connect(m_significance, &QComboBox::currentIndexChanged, this, [this] {
        m_model->setMinimumLogLikelihood(minimumLogLikelihood());
        updateSummary();
        emit minimumLogLikelihoodChosen(minimumLogLikelihood());
    });
    layout->addWidget(m_busyBar);
    layout->addWidget(m_status, 1);
    layout->addWidget(significanceLabel);
    layout->addWidget(m_significance);
    return row;
}

QWidget *KeynessWindow::makeCloudSide()
{
    auto *side = new QWidget;
    auto *layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    m_legend = new QLabel;
    m_legend->setTextFormat(Qt::RichText);
    auto *scrollView = new QScrollArea;
    scrollView->setFrameShape(QFrame::NoFrame);
    scrollView->setWidgetResizable(false);
    m_cloudView = new WordCloudView;
    m_cloudView->setAccessibleName(tr("Keyness cloud"));
    scrollView->setWidget(m_cloudView);
    m_cloudView->setScrollView(scrollView);
    // The rows reflow to the area's width, as the word cloud's do to its window's.
    scrollView->installEventFilter(this);
    m_cloudView->setMouseTracking(true);
    connect(m_cloudView, &WordCloudView::wordChosen, this, &KeynessWindow::wordChosen);
    connect(m_cloudView, &WordCloudView::wordHovered, this, &KeynessWindow::describeWord);
    connect(m_cloudView, &WordCloudView::wordFocused, this, &KeynessWindow::describeWord);
    connect(m_cloudView, &WordCloudView::hoverEnded, this, [this] { m_wordLine->clear(); });
    m_wordLine = new QLabel;
    m_wordLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_legend);
    layout->addWidget(scrollView, 1);
    layout->addWidget(m_wordLine);
    return side;
}

double KeynessWindow::minimumLogLikelihood() const
{
    return m_significance->currentData().toDouble();
}

void KeynessWindow::showComparing(const QString &description)
{
    m_status->setText(description);
    setBusy(true);
    show();
    raise();
    activateWindow();
}

void KeynessWindow::setBusy(bool busy)
{
    m_busyBar->setVisible(busy);
    if (!busy)
        m_status->clear();
}

void KeynessWindow::showTable(const std::shared_ptr<const KeynessTable> &table)
{
    m_table = table;
    m_rowOfWord.clear();
    m_rowOfWord.reserve(qsizetype(table->rows.size()));
    for (std::size_t i = 0; i < table->rows.size(); ++i)
        m_rowOfWord.insert(table->rows[i].word, qsizetype(i));
    m_model->setTable(table);
    m_model->setMinimumLogLikelihood(minimumLogLikelihood());
    setWindowTitle(tr("Keyness: %1 against %2").arg(table->names.a, table->names.b));
    m_legend->setText(tr("%1 used more in <b>%2</b> &nbsp; %3 used more in <b>%4</b>")
                          .arg(colourSwatch(KeynessCloud::colorOfA), table->names.a.toHtmlEscaped(),
                               colourSwatch(KeynessCloud::colorOfB),
                               table->names.b.toHtmlEscaped()));
    m_wordLine->clear();
    updateSummary();
}

void KeynessWindow::showCloud(const std::shared_ptr<const CloudContent> &content)
{
    m_cloudView->replaceCloud(content);
    // The view keeps the size of its last cloud; the rows fit the area's width.
    m_cloudView->scaleLayersToSize(QSizeF(m_cloudView->scrollView()->size()));
}

void KeynessWindow::describeWord(const QString &word)
{
    const auto row = m_rowOfWord.constFind(word);
    if (!m_table || row == m_rowOfWord.cend()) {
        m_wordLine->clear();
        return;
    }
    const KeywordRow &keyword = m_table->rows[std::size_t(*row)];
    const QLocale locale;
    m_wordLine->setText(tr("%1: %2 times in %3, %4 in %5; log-likelihood %6, log ratio %7")
                            .arg(word, locale.toString(qint64(keyword.countA)), m_table->names.a,
                                 locale.toString(qint64(keyword.countB)), m_table->names.b,
                                 locale.toString(keyword.logLikelihood, 'f', 2),
                                 locale.toString(keyword.logRatio, 'f', 2)));
}

void KeynessWindow::updateSummary()
{
    if (!m_table)
        return;
    qsizetype ofA = 0;
    qsizetype ofB = 0;
    for (const KeywordRow &row : m_table->rows) {
        // The rows come by descending log-likelihood.
        if (row.logLikelihood < minimumLogLikelihood())
            break;
        ofA += row.logRatio > 0.0;
        ofB += row.logRatio < 0.0;
    }
    const QLocale locale;
    m_summary->setText(
        tr("%1: %2 words; %3: %4 words. Used markedly more, at %5: %6 words in %1, %7 in %3.")
            .arg(m_table->names.a, locale.toString(qint64(m_table->wordsA)), m_table->names.b,
                 locale.toString(qint64(m_table->wordsB)), m_significance->currentText(),
                 locale.toString(qint64(ofA)), locale.toString(qint64(ofB))));
}
