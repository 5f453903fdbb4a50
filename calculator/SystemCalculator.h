#pragma once
// The desktop's own calculator, started from the Help menu.
#include <QString>
#include <QStringList>

class SystemCalculator {
public:
    // Program names looked for, in order of preference.
    static QStringList candidates();

    // Full path of the first candidate found in `searchPaths` (the PATH when empty), or an
    // empty string when none is installed.
    static QString find(const QStringList &searchPaths = QStringList());

    // Starts the program detached from the calculator; false when it could not be started.
    static bool start(const QString &program);
};
