#pragma once

#include <QHash>
#include <QWidget>
#include <memory>

class KeynessTableModel;
class QComboBox;
class QLabel;
class QProgressBar;
class QSortFilterProxyModel;
class QTableView;
class WordCloudView;
struct CloudContent;
struct KeynessTable;

// The window of a comparison, reused for the next: a table of every word of both texts
// with its counts, log-likelihood and log ratio, sortable by each column and the most
// significant first; beside it the keyness cloud of the words each text uses markedly
// more, in two colours, with a legend naming the texts; the significance asked of a
// difference is a choice. Choosing a word in the cloud, or activating a row, emits
// wordChosen.
class KeynessWindow : public QWidget
{
    Q_OBJECT

public:
    explicit KeynessWindow(QWidget *parent = nullptr);
    ~KeynessWindow() override;

    QTableView *tableView() const { return m_tableView; }
    // Whether the window has a comparison to show.
    bool hasTable() const { return m_table != nullptr; }
    WordCloudView *cloudView() const { return m_cloudView; }
    QComboBox *significanceChoice() const { return m_significance; }
    // The significance chosen: the log-likelihood from which a difference counts.
    double minimumLogLikelihood() const;

    // Shows the window, saying what is being done until the table comes.
    void showComparing(const QString &description);
    // Shows or hides the busy indication.
    void setBusy(bool busy);
    void showTable(const std::shared_ptr<const KeynessTable> &table);
    void showCloud(const std::shared_ptr<const CloudContent> &content);

signals:
    void wordChosen(const QString &word);
    void minimumLogLikelihoodChosen(double minimum);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeTopRow();
    QWidget *makeCloudSide();
    void describeWord(const QString &word);
    void updateSummary();

    std::shared_ptr<const KeynessTable> m_table;
    QHash<QString, qsizetype> m_rowOfWord; // of m_table's rows, for what the pointer is on
    // All owned through Qt's parent-child tree (this window).
    KeynessTableModel *m_model;
    QSortFilterProxyModel *m_sortedModel;
    QProgressBar *m_busyBar = nullptr;
    QLabel *m_status = nullptr;
    QComboBox *m_significance = nullptr;
    QTableView *m_tableView;
    QLabel *m_legend = nullptr;
    WordCloudView *m_cloudView = nullptr;
    QLabel *m_wordLine = nullptr;
    QLabel *m_summary;
};
