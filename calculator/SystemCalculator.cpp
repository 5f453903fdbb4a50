#include "SystemCalculator.h"

#include <QProcess>
#include <QStandardPaths>

QStringList SystemCalculator::Candidates()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
            QStringLiteral("qalculate-qt"), QStringLiteral("qalculate-gtk"), QStringLiteral("mate-calc"),
            QStringLiteral("speedcrunch"), QStringLiteral("xcalc")};
}

QString SystemCalculator::Find(const QStringList &searchPaths)
{
    for (const QString &name : Candidates()) {
        const QString path = QStandardPaths::findExecutable(name, searchPaths);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

bool SystemCalculator::Start(const QString &program)
{
    return !program.isEmpty() && QProcess::startDetached(program, QStringList());
}
