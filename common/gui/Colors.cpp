#include "gui/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The classic system colour indices that have a counterpart in the palette.
QPalette::ColorRole roleOfSystemColor(int index)
{
    switch (index) {
    case 5: return QPalette::Base;              // window background
    case 8: return QPalette::Text;              // window text
    case 13: return QPalette::Highlight;        // selection
    case 14: return QPalette::HighlightedText;  // selected text
    case 15: return QPalette::Button;           // button face
    case 18: return QPalette::ButtonText;       // button text
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Window;
    }
}

} // namespace

QColor ColorFromValue(qint32 value)
{
    const quint32 bits = static_cast<quint32>(value);
    if (bits & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        return palette.color(QPalette::Active, roleOfSystemColor(static_cast<int>(bits & 0xFFu)));
    }
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

qint32 ColorValue(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return static_cast<qint32>(static_cast<quint32>(rgb.red()) | (static_cast<quint32>(rgb.green()) << 8)
                               | (static_cast<quint32>(rgb.blue()) << 16));
}
