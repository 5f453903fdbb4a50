#pragma once
// Records message boxes instead of showing them; questions get the answer set beforehand.
#include "MessageSink.h"

#include <QStringList>

class RecordingMessages : public MessageSink {
public:
    RecordingMessages() { SetMessageSink(this); }
    ~RecordingMessages() override { SetMessageSink(nullptr); }

    QStringList shown;     // "kind: title: text"
    QStringList texts;     // the texts alone
    bool answer = false;

    void warning(const QString &title, const QString &text) override { record("warning", title, text); }
    void information(const QString &title, const QString &text) override { record("information", title, text); }
    void critical(const QString &title, const QString &text) override { record("critical", title, text); }
    bool question(const QString &title, const QString &text) override
    {
        record("question", title, text);
        return answer;
    }

private:
    void record(const char *kind, const QString &title, const QString &text)
    {
        shown << QString::fromLatin1(kind) + QStringLiteral(": ") + title + QStringLiteral(": ") + text;
        texts << text;
    }
};
