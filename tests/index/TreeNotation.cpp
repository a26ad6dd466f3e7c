#include "TreeNotation.h"

#include "LiteralNode.h"

#include <QStringView>

namespace {

class NotationReader
{
public:
    explicit NotationReader(QStringView text)
        : m_text(text)
    {}

    std::unique_ptr<LiteralNode> readNode()
    {
        auto node = std::make_unique<LiteralNode>(readWord());
        read(*node);
        return node;
    }

private:
    QString readWord()
    {
        skipSpaces();
        QString word;
        while (!atEnd() && !isSyntax(peek()))
            word += m_text[m_position++];
        return word;
    }

    void read(LiteralNode &node)
    {
        if (!atEnd() && peek() == u':') {
            ++m_position;
            quint32 count = 0;
            while (!atEnd() && peek().isDigit())
                count = count * 10 + quint32(m_text[m_position++].digitValue());
            for (quint32 i = 1; i < count; ++i)
                node.incCount();
        }
        if (!atEnd() && peek() == u'[') {
            ++m_position;
            for (skipSpaces(); !atEnd() && peek() != u']'; skipSpaces())
                read(node.addChild(readWord()));
            ++m_position;
        }
    }

    bool atEnd() const { return m_position >= m_text.size(); }
    QChar peek() const { return m_text[m_position]; }
    static bool isSyntax(QChar c) { return c == u':' || c == u'[' || c == u']' || c == u' '; }
    void skipSpaces()
    {
        while (!atEnd() && peek() == u' ')
            ++m_position;
    }

    QStringView m_text;
    qsizetype m_position = 0;
};

} // namespace

std::shared_ptr<const VerbariumTree> treeFromNotation(const QString &notation)
{
    const std::unique_ptr<LiteralNode> root = NotationReader(notation).readNode();
    root->sortArrays();
    return verbariumTreeOf(*root);
}
