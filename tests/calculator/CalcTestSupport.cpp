#include "CalcTestSupport.h"

#include "core/MathEngine.h"
#include "core/LangText.h"

#include <QStandardPaths>

EngineScope::EngineScope() { MathEngine::initialize(); }
EngineScope::~EngineScope() { MathEngine::clear(); }

void useTestEnvironment()
{
    QStandardPaths::setTestModeEnabled(true);
    SetLanguageFile(QString());
}
