#include "settings/ColorAndFont.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {

struct PaletteSlot {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour indices and the palette roles nearest to them.
constexpr std::array<PaletteSlot, 31> kSystemColors = {{
    {QPalette::Active, QPalette::Button},          //  0 scroll bar
    {QPalette::Active, QPalette::Dark},            //  1 desktop
    {QPalette::Active, QPalette::Highlight},       //  2 active caption
    {QPalette::Inactive, QPalette::Mid},           //  3 inactive caption
    {QPalette::Active, QPalette::Window},          //  4 menu
    {QPalette::Active, QPalette::Base},            //  5 window background
    {QPalette::Active, QPalette::Shadow},          //  6 window frame
    {QPalette::Active, QPalette::WindowText},      //  7 menu text
    {QPalette::Active, QPalette::Text},            //  8 window text
    {QPalette::Active, QPalette::HighlightedText}, //  9 caption text
    {QPalette::Active, QPalette::Window},          // 10 active border
    {QPalette::Inactive, QPalette::Window},        // 11 inactive border
    {QPalette::Active, QPalette::Mid},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},       // 13 highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlighted text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Dark},            // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Disabled, QPalette::WindowText},    // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 tooltip background
    {QPalette::Active, QPalette::NoRole},          // 25 unused by the system
    {QPalette::Active, QPalette::Link},            // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},       // 27 active caption gradient
    {QPalette::Inactive, QPalette::Mid},           // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},       // 29 menu highlight
    {QPalette::Active, QPalette::Window},          // 30 menu bar
}};

} // namespace

QColor systemColor(int index) {
    if (index < 0 || index >= int(kSystemColors.size()) ||
        kSystemColors[index].role == QPalette::NoRole)
        return Qt::black;
    const PaletteSlot slot = kSystemColors[index];
    // Without a GUI application there is no palette to ask: a light scheme.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QPalette(Qt::black, Qt::white).color(slot.group, slot.role);
    return QGuiApplication::palette().color(slot.group, slot.role);
}

QString ColorToHTML(quint32 color) {
    int red = color & 0xFF;
    int green = (color >> 8) & 0xFF;
    int blue = (color >> 16) & 0xFF;
    if (color & kSystemColorFlag) {
        const QColor resolved = systemColor(int(color & 0xFF));
        red = resolved.red();
        green = resolved.green();
        blue = resolved.blue();
    }
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QChar(u'0'))
        .arg(green, 2, 16, QChar(u'0'))
        .arg(blue, 2, 16, QChar(u'0'))
        .toUpper();
}

void SetFontQuality(QFont& font) {
    int strategy = font.styleStrategy();
    strategy &= ~QFont::NoAntialias;
    strategy |= QFont::PreferAntialias | QFont::NoSubpixelAntialias;
    font.setStyleStrategy(QFont::StyleStrategy(strategy));
}
