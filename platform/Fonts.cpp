#include "Fonts.h"

#include <QStringList>
using namespace Qt::Literals::StringLiterals;

namespace {

// Faces tried after the named one for characters it lacks; fontconfig supplies the
// rest. Listing them keeps the fallback, and so every measured size, the same on
// every machine set up by the project's setup script.
QStringList fallbackFamilies()
{
    return {u"DejaVu Sans"_s, u"Noto Sans CJK SC"_s};
}

} // namespace

QFont resolveFont(const QString &fontName, qreal size, qreal deviceDpi)
{
    QFont font;
    QStringList families;
    if (fontName == u"Futura-CondensedMedium"_s) {
        // The condensed geometric face installed by the setup; it exists only in bold,
        // which is nearer to the medium weight than the uncondensed regular face is in
        // width, and width is what the layouts depend on.
        families << u"BetecknaGSCondensed"_s;
        font.setWeight(QFont::Bold);
    } else {
        families << fontName;
    }
    families << fallbackFamilies();
    font.setFamilies(families);
    // Hinting would snap advances to the device's pixel grid, so the same word would
    // measure differently on a 72-dpi reference and on a HiDPI screen.
    font.setHintingPreference(QFont::PreferNoHinting);
    // The condensed face's contextual substitutions map "r" before "t" to a glyph it
    // does not have ("art" would show a box); Latin text needs no shaping.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(size * 72.0 / deviceDpi);
    return font;
}
