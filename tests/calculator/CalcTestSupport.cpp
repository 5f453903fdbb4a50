#include "CalcTestSupport.h"

#include "EngineBinding.h"
#include "LangText.h"

#include <QStandardPaths>

EngineScope::EngineScope() { trev::engine().InitTrevolin(); }
EngineScope::~EngineScope() { trev::engine().ClearTrevolin(); }

void UseTestEnvironment()
{
    QStandardPaths::setTestModeEnabled(true);
    SetLanguageFile(QString());
}
