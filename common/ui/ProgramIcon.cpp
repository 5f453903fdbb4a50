#include "ui/ProgramIcon.h"

// The resources of a static library are linked only where something refers to them.
static void InitializeIconResource() { Q_INIT_RESOURCE(ProgramIcon); }

QIcon ProgramIcon()
{
    InitializeIconResource();
    const QString name = QStringLiteral("trevolin");
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/trevolin/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}
