#include "ContextsPane.h"

#include "CharacterClasses.h"
#include "ContextLineDelegate.h"
#include "DispersionStrip.h"
#include "FileCountsTable.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// The passage shown around a selected line: this many lines on either side of it, and
// no more than so many characters, whatever the lines' lengths.
constexpr int passageLines = 3;
constexpr qsizetype passageReach = 600;

qsizetype passageStart(QStringView text, qsizetype from)
{
    const qsizetype limit = std::max<qsizetype>(0, from - passageReach);
    int breaks = 0;
    for (qsizetype position = from; position > limit; --position) {
        if (text[position - 1] == u'\n' && ++breaks > passageLines)
            return position;
    }
    return limit;
}

qsizetype passageEnd(QStringView text, qsizetype from)
{
    const qsizetype limit = std::min(text.size(), from + passageReach);
    int breaks = 0;
    for (qsizetype position = from; position < limit; ++position) {
        if (text[position] == u'\n' && ++breaks > passageLines)
            return position;
    }
    return limit;
}

// Every kind of line break as the one the passage's view reads, so that places in it
// count as in the text.
QString asPlainLines(QStringView piece)
{
    QString lines = piece.toString();
    lines.replace(u"\r\n"_s, u"\n"_s);
    for (QChar &unit : lines) {
        if (CharacterClasses::isLineBreak(unit.unicode()))
            unit = u'\n';
    }
    return lines;
}

} // namespace

void ContextsList::copy()
{
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex &row : rows) {
        // A corpus's lines go with their file and line, a column each, as the
        // command-line tool writes them.
        const QVariant file = row.data(ContextsModel::FileRole);
        lines.append(file.isValid()
                         ? u"%1\t%2\t%3"_s.arg(file.toString(),
                                               row.data(ContextsModel::LineRole).toString(),
                                               row.data().toString())
                         : row.data().toString());
    }
    if (!lines.isEmpty())
        QApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
}

ContextsPane::ContextsPane(QWidget *parent)
    : QWidget(parent)
    , m_header(new QLabel(this))
    , m_order(new QComboBox(this))
    , m_list(new ContextsList(this))
    , m_passagePlace(new QLabel(this))
    , m_passage(new QPlainTextEdit(this))
    , m_strip(new DispersionStrip(this))
    , m_fileCounts(new FileCountsTable(this))
{
    m_header->setTextFormat(Qt::PlainText);
    m_order->addItems({tr("In Text Order"), tr("By the Words After"), tr("By the Words Before")});
    m_order->setToolTip(tr("How the lines are sorted"));
    m_list->setModel(&m_model);
    m_list->setItemDelegate(new ContextLineDelegate(m_list));
    // A million lines of one height scroll as smoothly as ten.
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setAccessibleName(tr("Occurrences in context"));
    m_passage->setReadOnly(true);
    m_passage->setAccessibleName(tr("Passage"));
    m_passagePlace->setTextFormat(Qt::PlainText);
    m_passagePlace->hide();
    m_fileCounts->hide();

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_header, 1);
    bar->addWidget(m_order);
    auto *passageBox = new QWidget(this);
    auto *passageLayout = new QVBoxLayout(passageBox);
    passageLayout->setContentsMargins(0, 0, 0, 0);
    passageLayout->setSpacing(2);
    passageLayout->addWidget(m_passagePlace);
    passageLayout->addWidget(m_passage);
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_list);
    splitter->addWidget(passageBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto *besideTable = new QSplitter(Qt::Horizontal, this);
    besideTable->addWidget(splitter);
    besideTable->addWidget(m_fileCounts);
    besideTable->setStretchFactor(0, 1);
    besideTable->setStretchFactor(1, 0);
    besideTable->setCollapsible(0, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(m_strip);
    layout->addWidget(besideTable);

    connect(m_order, &QComboBox::currentIndexChanged, this, &ContextsPane::resort);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ContextsPane::showPassage);
    connect(m_strip, &DispersionStrip::occurrenceChosen, this, &ContextsPane::selectOccurrence);
    connect(m_fileCounts, &FileCountsTable::fileChosen, this, &ContextsPane::selectFirstIn);
}

ContextsPane::~ContextsPane() = default;

void ContextsPane::setText(const QString &text, std::shared_ptr<const TextPlaces> places)
{
    m_text = text;
    m_places = std::move(places);
    m_fileCounts->setVisible(m_places && m_places->files().size() > 1);
    showContextsOf({});
}

void ContextsPane::showContextsOf(const ContextsQuery &query)
{
    m_query = query;
    m_found = false;
    if (isVisible())
        find();
}

void ContextsPane::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_found)
        find();
}

void ContextsPane::find()
{
    m_found = true;
    if (!m_query.index) {
        emit occurrencesAsked(m_query, order());
        m_model.clear();
        m_header->clear();
        m_passage->clear();
        showSpread(nullptr);
        return;
    }
    m_header->setText(tr("Finding “%1”…").arg(m_query.shown));
    ContextsQuery query = m_query;
    query.places = m_places;
    emit occurrencesAsked(query, order());
}

ContextOrder ContextsPane::order() const
{
    return ContextOrder(m_order->currentIndex());
}

void ContextsPane::showFound(const FoundContexts &found)
{
    m_passage->clear();
    m_endedHere = found.endedHere;
    const auto lines = qint64(found.firsts.size());
    m_model.setLines(m_text, m_places, m_query.forward, found.firsts, found.length);
    QString header = lines == 1 ? tr("1 occurrence of “%1”").arg(m_query.shown)
                                : tr("%L1 occurrences of “%2”").arg(lines).arg(m_query.shown);
    if (found.spread && found.spread->dispersion.files.size() > 1)
        header += tr(" in %L1 of %L2 files")
                      .arg(found.spread->filesHolding())
                      .arg(found.spread->dispersion.files.size());
    // A new sort of the same lines keeps where they fall.
    if (found.spread != m_spread)
        showSpread(found.spread);
    const qint64 hidden = lines - qint64(found.endedHere) - qint64(m_query.inShownBranches);
    if (hidden > 0)
        header += tr(" · %L1 go on in followers the tree leaves out").arg(hidden);
    m_header->setText(header);
}

void ContextsPane::showFailure(const QString &message)
{
    m_passage->clear();
    m_model.clear();
    showSpread(nullptr);
    m_header->setText(message);
}

void ContextsPane::showSpread(std::shared_ptr<const OccurrenceSpread> spread)
{
    m_spread = std::move(spread);
    m_strip->setSpread(m_spread, m_query.shown);
    m_fileCounts->setSpread(m_spread);
}

void ContextsPane::selectOccurrence(quint32 first)
{
    const std::vector<quint32> &firsts = m_model.firsts();
    const auto found = std::find(firsts.begin(), firsts.end(), first);
    if (found == firsts.end())
        return;
    const QModelIndex row = m_model.index(int(found - firsts.begin()));
    m_list->setCurrentIndex(row);
    m_list->scrollTo(row, QAbstractItemView::PositionAtCenter);
    m_list->setFocus(Qt::MouseFocusReason);
}

void ContextsPane::selectFirstIn(quint32 file)
{
    if (!m_spread || file >= m_spread->dispersion.files.size() ||
        m_spread->dispersion.files[file].count == 0)
        return;
    const std::vector<quint32> &positions = m_spread->dispersion.positions;
    const auto first = std::lower_bound(positions.begin(), positions.end(),
                                        m_spread->dispersion.files[file].start);
    if (first != positions.end())
        selectOccurrence(*first);
}

void ContextsPane::resort()
{
    if (!m_query.index || m_model.rowCount() == 0)
        return;
    m_header->setText(tr("Sorting…"));
    emit resortAsked(m_query.forward, {m_model.firsts(), m_model.length(), m_endedHere, m_spread},
                     order());
}

void ContextsPane::showPassage()
{
    const QModelIndex current = m_list->currentIndex();
    m_passagePlace->setVisible(current.isValid() && m_model.namesFiles());
    if (!current.isValid()) {
        m_passage->clear();
        return;
    }
    if (m_model.namesFiles()) {
        const FilePlace place = m_model.placeAt(current.row());
        m_passagePlace->setText(
            tr("%1, line %2").arg(place.file->name, QLocale().toString(place.line)));
        m_passage->setAccessibleName(tr("Passage from %1").arg(m_passagePlace->text()));
    } else {
        m_passage->setAccessibleName(tr("Passage"));
    }
    const TextSpan match = m_model.spanAt(current.row());
    const QStringView text(m_model.text());
    // A passage of a corpus holds nothing of the files beside its own.
    const TextSpan file =
        m_places ? m_places->fileSpanOf(match.begin) : TextSpan{0, quint32(text.size())};
    const qsizetype start = std::max<qsizetype>(passageStart(text, match.begin), file.begin);
    const qsizetype end = std::min<qsizetype>(passageEnd(text, match.end), file.end);
    const QString before = asPlainLines(text.sliced(start, match.begin - start));
    const QString occurrence = asPlainLines(text.sliced(match.begin, match.end - match.begin));
    m_passage->setPlainText(before + occurrence +
                            asPlainLines(text.sliced(match.end, end - match.end)));
    QTextEdit::ExtraSelection highlight;
    highlight.cursor = QTextCursor(m_passage->document());
    highlight.cursor.setPosition(int(before.size()));
    highlight.cursor.setPosition(int(before.size() + occurrence.size()), QTextCursor::KeepAnchor);
    highlight.format.setFontWeight(QFont::Bold);
    highlight.format.setBackground(palette().color(QPalette::Highlight).lighter(160));
    m_passage->setExtraSelections({highlight});
    m_passage->setTextCursor(highlight.cursor);
    m_passage->ensureCursorVisible();
}

void connectContextsPane(ContextsPane &pane, VerbariumController &controller)
{
    QObject::connect(&pane, &ContextsPane::occurrencesAsked, &controller,
                     &VerbariumController::findContexts);
    QObject::connect(&pane, &ContextsPane::resortAsked, &controller,
                     &VerbariumController::resortContexts);
    QObject::connect(&controller, &VerbariumController::contextsFound, &pane,
                     &ContextsPane::showFound);
    QObject::connect(&controller, &VerbariumController::contextsFailed, &pane,
                     &ContextsPane::showFailure);
}
