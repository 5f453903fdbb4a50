#pragma once
// Helpers shared by the calculator tests.
#include "MessageSink.h"

#include <QList>
#include <QString>

// Records message boxes instead of showing them; installs itself for its lifetime.
class MessageRecorder : public MessageSink {
public:
    struct Entry {
        QString kind;
        QString title;
        QString text;
    };

    MessageRecorder();
    ~MessageRecorder() override;

    void warning(const QString &title, const QString &text) override;
    void information(const QString &title, const QString &text) override;
    void critical(const QString &title, const QString &text) override;
    bool question(const QString &title, const QString &text) override;

    QList<Entry> entries;
};

// A fresh engine for one test: initialised here, cleared when the scope ends.
class EngineScope {
public:
    EngineScope();
    ~EngineScope();
    EngineScope(const EngineScope &) = delete;
    EngineScope &operator=(const EngineScope &) = delete;
};

// Test runs use the English defaults and keep away from the user's files.
void UseTestEnvironment();
