#pragma once

#include "TextLayer.h"
#include "VerbariumTree.h"

// A word of the verbarium, with the tree node it shows. The node is a plain value: the
// picture the layer was made from keeps its tree.
class NodeLayer : public TextLayer
{
public:
    explicit NodeLayer(Node node)
        : m_node(node)
    {}

    Node node() const { return m_node; }

private:
    Node m_node;
};
