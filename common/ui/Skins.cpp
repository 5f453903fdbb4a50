#include "ui/Skins.h"

#include "gui/Colors.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPalette>
#include <QPushButton>

namespace {

// Background colours as stored values 0x00BBGGRR; 0 marks the skin that follows the system.
constexpr qint32 SkinBackgrounds[SkinCount] = {
    0xEFBE89, 0xC0C0C0, 0xE2E2E8, 0, 0xFFFFFF, 0xC4C400, 0xD2A6FF, 0x66B3FF,
};
constexpr int SystemSkin = 4;

void setRole(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

} // namespace

bool SkinColorsOf(int number, SkinColors &colors)
{
    if (number < 1 || number > SkinCount)
        return false;
    if (number == SystemSkin) {
        colors.back = QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
        colors.fore = Qt::white;
    } else {
        colors.back = ColorFromValue(SkinBackgrounds[number - 1]);
        colors.fore = Qt::black;
    }
    return true;
}

SkinColors SkinColorsFor(int skin)
{
    SkinColors colors;
    if (!SkinColorsOf(skin, colors))
        SkinColorsOf(1, colors);
    return colors;
}

QStringList SkinNames()
{
    return {QStringLiteral("Blue-eyed spirit"), QStringLiteral("Early grey"), QStringLiteral("Smooth paste"),
            QStringLiteral("Windows style"),    QStringLiteral("White chocolate"), QStringLiteral("Return to nature"),
            QStringLiteral("La vie en rose"),   QStringLiteral("Wise orange!")};
}

void ApplySkin(QWidget *window, const SkinColors &colors)
{
    if (!window)
        return;
    window->setAutoFillBackground(true);
    setRole(window, QPalette::Window, colors.back);
    for (QLabel *label : window->findChildren<QLabel *>())
        setRole(label, QPalette::WindowText, colors.fore);
    for (QListView *list : window->findChildren<QListView *>()) {
        QPalette palette = list->palette();
        palette.setColor(QPalette::Text, colors.fore);
        palette.setColor(QPalette::Base, colors.back);
        list->setPalette(palette);
    }
    for (QPushButton *button : window->findChildren<QPushButton *>())
        setRole(button, QPalette::Button, colors.back);
    window->update();
}

void ApplySkinToAllWindows(const SkinColors &colors)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMenu *>(window))
            continue;
        const Qt::WindowType type = window->windowType();
        if (type != Qt::Window && type != Qt::Dialog)
            continue;
        if (auto *main = qobject_cast<QMainWindow *>(window)) {
            if (auto *area = qobject_cast<QMdiArea *>(main->centralWidget())) {
                area->setBackground(colors.back);
                for (QMdiSubWindow *child : area->subWindowList())
                    ApplySkin(child->widget(), colors);
                continue;
            }
        }
        ApplySkin(window, colors);
    }
}
