#include "CalcTestSupport.h"

#include "EngineBinding.h"
#include "LangText.h"

#include <QStandardPaths>

MessageRecorder::MessageRecorder() { SetMessageSink(this); }
MessageRecorder::~MessageRecorder() { SetMessageSink(nullptr); }

void MessageRecorder::warning(const QString &title, const QString &text)
{
    entries.append({QStringLiteral("warning"), title, text});
}

void MessageRecorder::information(const QString &title, const QString &text)
{
    entries.append({QStringLiteral("information"), title, text});
}

void MessageRecorder::critical(const QString &title, const QString &text)
{
    entries.append({QStringLiteral("critical"), title, text});
}

bool MessageRecorder::question(const QString &title, const QString &text)
{
    entries.append({QStringLiteral("question"), title, text});
    return false;
}

EngineScope::EngineScope() { trev::engine().InitTrevolin(); }
EngineScope::~EngineScope() { trev::engine().ClearTrevolin(); }

void UseTestEnvironment()
{
    QStandardPaths::setTestModeEnabled(true);
    SetLanguageFile(QString());
}
