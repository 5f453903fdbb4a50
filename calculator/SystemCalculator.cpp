#include "SystemCalculator.h"

#include <QProcess>
#include <QStandardPaths>

QStringList SystemCalculator::candidates()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
            QStringLiteral("qalculate-qt"), QStringLiteral("qalculate-gtk"), QStringLiteral("mate-calc"),
            QStringLiteral("speedcrunch"), QStringLiteral("xcalc")};
}

QString SystemCalculator::find(const QStringList &searchPaths)
{
    for (const QString &name : candidates()) {
        const QString path = QStandardPaths::findExecutable(name, searchPaths);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

bool SystemCalculator::start(const QString &program)
{
    return !program.isEmpty() && QProcess::startDetached(program, QStringList());
}
