// calc: the Trevolin calculator.
#include "CalcHistoryFile.h"
#include "CalcSettings.h"
#include "CalculatorWindow.h"
#include "core/FileSizeSignal.h"
#include "core/LangText.h"
#include "core/MathEngine.h"
#include "core/ProgramFolder.h"
#include "ui/ProgramIcon.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevolin Calculator"));
    // The installed launcher and icon (the icon is found once the program is installed).
    QApplication::setDesktopFileName(QStringLiteral("trevolin-calc"));
    QApplication::setWindowIcon(ProgramIcon());

    // Without the engine nothing can be calculated: say so and end.
    MathEngine::setFailureHandler([](const QString &message) {
        QMessageBox::critical(nullptr, QStringLiteral("Trevolin Calculator"), message);
    });

    const CalcSettings settings = CalcSettings::load(ProgramFolder());
    SetLanguageFile(settings.languageFile);

    // The application name above names the user's data folder that keeps the history.
    CalculatorWindow window(settings, CalcHistoryFile::defaultPath());
    window.show();
    return app.exec();
}
