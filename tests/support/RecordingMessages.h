#pragma once
// Records message boxes instead of showing them, while it lives; questions get the answer set
// beforehand. With echo set, every message is also printed at once (for probes that end the
// process right after a message).
#include "ui/MessageSink.h"

#include <QList>
#include <QStringList>

#include <cstdio>

class RecordingMessages : public MessageSink {
public:
    explicit RecordingMessages(bool echo = false) : m_echo(echo) { SetMessageSink(this); }
    ~RecordingMessages() override { SetMessageSink(nullptr); }
    RecordingMessages(const RecordingMessages &) = delete;
    RecordingMessages &operator=(const RecordingMessages &) = delete;

    QStringList shown;  // "kind: title: text"
    QStringList kinds;  // "warning", "information", "critical", "question", "save changes"
    QStringList titles;
    QStringList texts;
    bool answer = false;
    // Answers askSaveChanges; one entry per question, in order, then saveAnswer for the rest.
    QList<SaveChangesAnswer> saveAnswers;
    SaveChangesAnswer saveAnswer = SaveChangesAnswer::Cancel;

    void warning(const QString &title, const QString &text) override { record("warning", title, text); }
    void information(const QString &title, const QString &text) override { record("information", title, text); }
    void critical(const QString &title, const QString &text) override { record("critical", title, text); }
    bool question(const QString &title, const QString &text) override
    {
        record("question", title, text);
        return answer;
    }
    SaveChangesAnswer askSaveChanges(const QString &title, const QString &text) override
    {
        record("save changes", title, text);
        return saveAnswers.isEmpty() ? saveAnswer : saveAnswers.takeFirst();
    }

private:
    void record(const char *kind, const QString &title, const QString &text)
    {
        const QString line = QString::fromLatin1(kind) + QStringLiteral(": ") + title + QStringLiteral(": ") + text;
        shown << line;
        kinds << QString::fromLatin1(kind);
        titles << title;
        texts << text;
        if (m_echo) {
            std::printf("%s\n", qPrintable(line));
            std::fflush(stdout);
        }
    }
    bool m_echo;
};
