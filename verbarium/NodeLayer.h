#pragma once

#include "Node.h"
#include "TextLayer.h"

#include <memory>

// A word of the verbarium. It keeps its node alive, and through the aliasing pointer
// the node's whole tree, so a picture left on screen after its tree was replaced can
// still be pointed at and clicked.
class NodeLayer : public TextLayer
{
public:
    explicit NodeLayer(std::shared_ptr<Node> node);

    Node *node() const { return m_node.get(); }
    // The node as a pointer that shares ownership of its tree.
    const std::shared_ptr<Node> &sharedNode() const { return m_node; }
    void setNode(std::shared_ptr<Node> node);

private:
    std::shared_ptr<Node> m_node;
};
