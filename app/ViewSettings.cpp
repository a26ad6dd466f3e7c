#include "ViewSettings.h"

#include <QSettings>

using namespace Qt::Literals::StringLiterals;

namespace {

// Named here rather than taken from the application, so that every program of the
// project that shows a verbarium reads the same file.
QSettings settings()
{
    return QSettings(u"Verbarium"_s, u"Verbarium"_s);
}

const QString roomForEveryWordKey = u"verbarium/roomForEveryWord"_s;

} // namespace

bool ViewSettings::roomForEveryWord()
{
    return settings().value(roomForEveryWordKey, false).toBool();
}

void ViewSettings::setRoomForEveryWord(bool on)
{
    settings().setValue(roomForEveryWordKey, on);
}
