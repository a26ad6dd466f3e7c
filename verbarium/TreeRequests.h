#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <stop_token>

class TextIndex;
class VerbariumTree;

// Prepares the index of each new text on a worker and grows the trees asked for from
// it on a worker too, handing every tree back on this object's thread. Only the last
// word asked for, of the last text given, is ever handed back: a newer request
// supersedes an older one, and a new text drops what was asked of the old one. A
// word asked for before its text's index is ready waits for it.
class TreeRequests : public QObject
{
    Q_OBJECT

public:
    enum class Work { None, Indexing, Growing };

    explicit TreeRequests(QObject *parent = nullptr);
    ~TreeRequests() override;

    void setText(const QString &treeText);
    void requestTree(const QString &word);
    // What the last request still waits for.
    Work work() const;

signals:
    void treeReady(const std::shared_ptr<const VerbariumTree> &tree);
    void workChanged(TreeRequests::Work work);

private:
    void growRequestedTree();
    void setWork();

    quint64 m_text = 0;    // numbers each text given
    quint64 m_request = 0; // numbers each word asked for
    quint64 m_handedBack = 0;
    std::shared_ptr<const TextIndex> m_index; // none while the text's index is being built
    std::optional<QString> m_waitingWord;     // asked for before the index was ready
    std::stop_source m_indexing;
    Work m_work = Work::None;
};
