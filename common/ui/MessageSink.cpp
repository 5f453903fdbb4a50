#include "ui/MessageSink.h"

#include <QApplication>
#include <QMessageBox>

MessageSink::~MessageSink() = default;

namespace {

class MessageBoxSink : public MessageSink {
public:
    void warning(const QString &title, const QString &text) override
    {
        QMessageBox::warning(QApplication::activeWindow(), title, text);
    }
    void information(const QString &title, const QString &text) override
    {
        QMessageBox::information(QApplication::activeWindow(), title, text);
    }
    void critical(const QString &title, const QString &text) override
    {
        QMessageBox::critical(QApplication::activeWindow(), title, text);
    }
    bool question(const QString &title, const QString &text) override
    {
        return QMessageBox::question(QApplication::activeWindow(), title, text,
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    }
    SaveChangesAnswer askSaveChanges(const QString &title, const QString &text) override
    {
        switch (QMessageBox::question(QApplication::activeWindow(), title, text,
                                      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                      QMessageBox::Save)) {
        case QMessageBox::Save:
            return SaveChangesAnswer::Save;
        case QMessageBox::Discard:
            return SaveChangesAnswer::Discard;
        default:
            // Escape and the window's close button mean Cancel.
            return SaveChangesAnswer::Cancel;
        }
    }
};

MessageBoxSink &messageBoxes()
{
    static MessageBoxSink sink;
    return sink;
}

MessageSink *&installed()
{
    static MessageSink *sink = nullptr;
    return sink;
}

} // namespace

MessageSink &Messages()
{
    MessageSink *sink = installed();
    return sink ? *sink : messageBoxes();
}

void SetMessageSink(MessageSink *sink) { installed() = sink; }
