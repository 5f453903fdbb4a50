// calc: the Trevolin calculator.
#include "CalcSettings.h"
#include "EngineBinding.h"
#include "LangText.h"
#include "Main.h"
#include "ProgramFolder.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevolin Calculator"));

    // Without the engine nothing can be calculated: say so and end.
    trev::EngineBinding::setFailureHandler([](const std::string &message) {
        QMessageBox::critical(nullptr, QStringLiteral("Trevolin Calculator"), QString::fromStdString(message));
    });

    const CalcSettings settings = CalcSettings::Load(ProgramFolder());
    SetLanguageFile(settings.languageFile);

    Main window(settings);
    window.show();
    return app.exec();
}
