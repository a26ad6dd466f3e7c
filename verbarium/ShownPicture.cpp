#include "ShownPicture.h"

#include "NodeDescription.h"
#include "ReleaseOnWorker.h"
#include "TextIndex.h"

void ShownPicture::growFrom(std::shared_ptr<const TextIndex> index,
                            std::shared_ptr<const TextIndex> forward, QList<HoldingToken> holding)
{
    m_pictureIndex = std::move(index);
    m_textIndex = std::move(forward);
    m_indexBefore.reset();
    m_holding = std::move(holding);
}

void ShownPicture::growBothFrom(std::shared_ptr<const TextIndex> forward,
                                std::shared_ptr<const TextIndex> indexBefore,
                                QList<HoldingToken> holding)
{
    m_pictureIndex = forward;
    m_textIndex = std::move(forward);
    m_indexBefore = std::move(indexBefore);
    m_holding = std::move(holding);
}

void ShownPicture::take(VerbariumPicture picture)
{
    m_picture = std::move(picture);
    m_outline = outlineOf(*m_picture);
}

void ShownPicture::clear()
{
    if (m_picture)
        releaseOnWorker(std::move(m_picture->tree));
    *this = {};
}

const PlacedWord *ShownPicture::word(int index) const
{
    if (!m_picture || index < 0 || index >= int(m_picture->words.size()))
        return nullptr;
    return &m_picture->words[std::size_t(index)];
}

bool ShownPicture::mirrored() const
{
    return m_pictureIndex && m_pictureIndex->readsBackward();
}

WordSide ShownPicture::sideOf(int index) const
{
    if (!m_picture || !m_picture->bothSides())
        return mirrored() ? WordSide::Before : WordSide::After;
    const PlacedWord *placed = index > 0 ? word(index) : nullptr;
    if (!placed)
        return WordSide::BetweenBoth;
    return placed->before ? WordSide::Before : WordSide::After;
}

std::optional<ContextsQuery> ShownPicture::contextsOf(Node node, bool before)
{
    if (!m_picture || m_contextsNode == std::pair(node, before))
        return std::nullopt;
    m_contextsNode = std::pair(node, before);
    return before ? contextsQueryOf(*m_picture->beforeTree, node, m_indexBefore, m_textIndex)
                  : contextsQueryOf(*m_picture->tree, node, m_pictureIndex, m_textIndex);
}
