#pragma once

#include <QAbstractTableModel>
#include <memory>

struct KeynessTable;

// The rows of a comparison as a table: the word, its counts in A and in B, its
// log-likelihood and its log ratio. Shown text is formatted for reading; sortRole gives
// the numbers as numbers. The words significant at the chosen log-likelihood carry the
// colour of the text that uses them more, as in the keyness cloud.
class KeynessTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Word, CountA, CountB, LogLikelihood, LogRatio, ColumnCount };
    static constexpr int sortRole = Qt::UserRole;

    explicit KeynessTableModel(QObject *parent = nullptr);
    ~KeynessTableModel() override;

    void setTable(std::shared_ptr<const KeynessTable> table);
    void setMinimumLogLikelihood(double minimum);
    // The word of a row, or empty.
    QString wordAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant shownText(int row, int column) const;
    QVariant sortValue(int row, int column) const;
    bool isSignificant(int row) const;

    std::shared_ptr<const KeynessTable> m_table;
    double m_minimum;
};
