#include "AtSpiTreeItems.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QPointer>

using namespace Qt::Literals::StringLiterals;

namespace {

// AT-SPI's numbers for a tree item and for "is a child of" (atspi-constants.h): Qt
// gives them no names.
constexpr quint32 roleTreeItem = 91;
constexpr quint32 relationNodeChildOf = 7;

// Where the bridge keeps its objects, and its connection to the accessibility bus.
const QString accessiblesPath = u"/org/a11y/atspi/accessible"_s;
const QString bridgeConnection = u"a11y"_s;
const QString accessibleInterface = u"org.a11y.atspi.Accessible"_s;

// An object on the bus: its connection's name and its path, "(so)".
struct SpiReference
{
    QString service;
    QDBusObjectPath path;
};

// A relation and the objects it points to, "(ua(so))".
struct SpiRelation
{
    quint32 type = 0;
    QList<SpiReference> targets;
};

QDBusArgument &operator<<(QDBusArgument &argument, const SpiReference &reference)
{
    argument.beginStructure();
    argument << reference.service << reference.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, SpiReference &reference)
{
    argument.beginStructure();
    argument >> reference.service >> reference.path;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const SpiRelation &relation)
{
    argument.beginStructure();
    argument << relation.type << relation.targets;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, SpiRelation &relation)
{
    argument.beginStructure();
    argument >> relation.type >> relation.targets;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(SpiReference)
Q_DECLARE_METATYPE(SpiRelation)

namespace {

QString pathOf(QAccessibleInterface *interface)
{
    return accessiblesPath + u'/' + QString::number(QAccessible::uniqueId(interface));
}

AccessibleTreeItem *treeItemAt(const QString &path)
{
    if (!path.startsWith(accessiblesPath + u'/'))
        return nullptr;
    bool isNumber = false;
    const auto id = path.sliced(accessiblesPath.size() + 1).toUInt(&isNumber);
    QAccessibleInterface *interface = isNumber ? QAccessible::accessibleInterface(id) : nullptr;
    return interface && interface->isValid() ? dynamic_cast<AccessibleTreeItem *>(interface)
                                             : nullptr;
}

// Stands where the bridge's object stood, on the same connection.
class TreeItemsInFront : public QDBusVirtualObject
{
public:
    explicit TreeItemsInFront(QDBusVirtualObject *bridge)
        : QDBusVirtualObject(bridge)
        , m_bridge(bridge)
    {}

    QString introspect(const QString &path) const override { return m_bridge->introspect(path); }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        return answer(message, connection) || m_bridge->handleMessage(message, connection);
    }

private:
    bool answer(const QDBusMessage &message, const QDBusConnection &connection) const
    {
        if (message.interface() != accessibleInterface)
            return false;
        const AccessibleTreeItem *item = treeItemAt(message.path());
        if (!item)
            return false;
        const QString &member = message.member();
        QVariant reply;
        if (member == u"GetRole")
            reply = roleTreeItem;
        else if (member == u"GetRoleName")
            reply = u"tree item"_s;
        else if (member == u"GetLocalizedRoleName")
            reply = QCoreApplication::translate("AtSpiTreeItems", "tree item");
        else if (member == u"GetAttributes")
            reply = QVariant::fromValue(QMap<QString, QString>{
                {u"level"_s, QString::number(item->level())},
                {u"posinset"_s, QString::number(item->positionInSet())},
                {u"setsize"_s, QString::number(item->setSize())},
            });
        else if (member == u"GetRelationSet")
            reply = QVariant::fromValue(QList<SpiRelation>{
                {relationNodeChildOf,
                 {{connection.baseService(), QDBusObjectPath(pathOf(item->itemAbove()))}}}});
        else
            return false;
        connection.send(message.createReply(reply));
        return true;
    }

    QDBusVirtualObject *m_bridge; // the parent of this object
};

// Once accessibility is on, the bridge's object goes up after the observers hear of it.
class BridgeWatch : public QAccessible::ActivationObserver
{
public:
    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            QMetaObject::invokeMethod(qApp, &standInFront, Qt::QueuedConnection);
    }

    static void standInFront()
    {
        QDBusConnection bus(bridgeConnection);
        auto *bridge = qobject_cast<QDBusVirtualObject *>(bus.objectRegisteredAt(accessiblesPath));
        if (!bridge || dynamic_cast<TreeItemsInFront *>(bridge))
            return;
        qDBusRegisterMetaType<SpiReference>();
        qDBusRegisterMetaType<QList<SpiReference>>();
        qDBusRegisterMetaType<SpiRelation>();
        qDBusRegisterMetaType<QList<SpiRelation>>();
        qDBusRegisterMetaType<QMap<QString, QString>>();
        bus.unregisterObject(accessiblesPath);
        if (!bus.registerVirtualObject(accessiblesPath, new TreeItemsInFront(bridge),
                                       QDBusConnection::SubPath))
            bus.registerVirtualObject(accessiblesPath, bridge, QDBusConnection::SubPath);
    }
};

} // namespace

void installAtSpiTreeItems()
{
    static BridgeWatch watch;
    static const bool installed = [] {
        QAccessible::installActivationObserver(&watch);
        if (QAccessible::isActive())
            watch.accessibilityActiveChanged(true);
        return true;
    }();
    Q_UNUSED(installed);
}
