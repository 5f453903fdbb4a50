#pragma once
// One running line per user. The first start holds a lock file and listens on a local socket,
// both named from the instance key and the user's id; a later start finds that socket, hands
// its command line to the first instance and ends. The first instance announces every
// hand-over with activationRequested (the main window comes forward) and, for a command line
// that is not empty and that its check does not refuse, commandLineReceived (the main window
// processes it). A refused command line is answered with the reason, which the second start
// reports.
//
// Lock and socket lie in a folder that is the user's alone: the session's runtime folder, else
// trevolin-UID in the temporary folder, made with mode 0700. When that folder belongs to
// someone else or others may enter it, every start runs on its own and says so on stderr. The
// first instance hangs up on a connection from another user.
//
// The lock is a kernel lock on an open file, so it dies with its process: a line that crashed
// or was killed leaves a socket file that nobody answers, and the next start removes it and
// becomes the first instance.
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;
class QWidget;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The key that names line's lock and socket.
    static const QString InstanceKey;
    // A second start waits at most this long for the first instance to take its command line.
    static constexpr int HandOverTimeoutMs = 5000;

    enum class Role {
        First,       // this process runs the program
        HandedOver,  // the running instance took the command line; this process ends
        NoAnswer,    // another instance holds the lock but did not answer in time; this process ends
        Refused,     // the running instance refused the command line (refusal() says why); this process ends
    };

    // The running instance's check of a handed-over command line: the reason it is refused, or
    // empty. Runs before the sender is answered, so it must be quick and show nothing.
    using CommandLineCheck = std::function<QString(const QString &commandLine)>;
    void setCommandLineCheck(CommandLineCheck check) { m_check = std::move(check); }
    // After Role::Refused: the reason the running instance gave.
    QString refusal() const { return m_refusal; }

    // `key` names the lock and the socket (tests pass keys of their own).
    explicit SingleInstance(const QString &key = InstanceKey, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the first instance, or hands `commandLine` to the running one. Blocks for at most
    // HandOverTimeoutMs in the second case.
    Role start(const QString &commandLine);

    // The socket's full path and the lock file's; empty without a private folder.
    QString serverPath() const;
    QString lockPath() const;

    // Brings a top-level window forward: restores it when minimised, raises it and asks the
    // window manager to activate it.
    static void bringForward(QWidget *window);

signals:
    void activationRequested();
    void commandLineReceived(const QString &commandLine);

private:
    bool takeLock();
    bool listen();
    Role handOver(const QString &commandLine);
    void acceptConnections();
    void readMessage(QLocalSocket *socket);

    QString m_name;
    QString m_folderRefusal;
    QString m_folder;
    int m_lockFile = -1;
    QLocalServer *m_server = nullptr;
    CommandLineCheck m_check;
    QString m_refusal;
};
