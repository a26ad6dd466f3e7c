#include "NodeLayer.h"

NodeLayer::NodeLayer(std::shared_ptr<Node> node)
    : m_node(std::move(node))
{}

void NodeLayer::setNode(std::shared_ptr<Node> node)
{
    m_node = std::move(node);
}
