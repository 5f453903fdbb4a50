#pragma once
// Message boxes go through this interface so that tests can record them instead of showing
// them. Messages() is the one in force: a QMessageBox over the active window unless a test has
// installed its own with SetMessageSink.
#include <QString>

// The answers to the question about unsaved changes.
enum class SaveChangesAnswer { Save, Discard, Cancel };

class MessageSink {
public:
    virtual ~MessageSink();
    virtual void warning(const QString &title, const QString &text) = 0;
    virtual void information(const QString &title, const QString &text) = 0;
    virtual void critical(const QString &title, const QString &text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const QString &title, const QString &text) = 0;
    // A Save / Discard / Cancel question about unsaved changes.
    virtual SaveChangesAnswer askSaveChanges(const QString &title, const QString &text) = 0;
};

MessageSink &Messages();

// Installs `sink` (not owned; it must outlive its use). nullptr restores the message boxes.
void SetMessageSink(MessageSink *sink);
