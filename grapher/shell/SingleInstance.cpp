#include "shell/SingleInstance.h"

#include "core/LocalFileName.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtEndian>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A hand-over is the payload's length (4 bytes, big-endian) followed by the command line in
// UTF-8; the first instance answers with one byte once it has the whole command line: 'A' when
// it takes it, 'R' followed by the reason in UTF-8 up to the end of the connection when it
// refuses it.
constexpr int HeaderSize = 4;
constexpr quint32 MaxPayloadSize = 1 << 20;
const char Acknowledgement = 'A';
const char Refusal = 'R';
// How long a second start pauses before it looks again for a first instance that is still
// starting up.
constexpr int RetryPauseMs = 20;

// The folder of the lock and the socket, which no other user may enter: the session's runtime
// folder, otherwise trevolin-UID in the temporary folder, made with mode 0700. Empty, with the
// reason in `refusal`, when that folder cannot be made or is not this user's alone.
QString instanceFolder(QString *refusal)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir::cleanPath(runtime);
    const QString folder = QDir::tempPath() + QStringLiteral("/trevolin-") + QString::number(::getuid());
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        *refusal = folder + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        return QString();
    }
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()
        || (info.st_mode & 077) != 0) {
        *refusal = folder + QStringLiteral(" is not a folder of this user's alone");
        return QString();
    }
    return folder;
}

// Whether the other end of an accepted connection runs as this user.
bool fromThisUser(const QLocalSocket *socket)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
        && peer.uid == ::getuid();
}

} // namespace

const QString SingleInstance::InstanceKey = QStringLiteral("{5CDC4C94-DDBF-45c1-BE2B-C98A115A1D9E}");

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent),
      m_name(key + QStringLiteral("_APPLICATION_") + QString::number(::getuid())),
      m_folder(instanceFolder(&m_folderRefusal))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    // Closing the file releases the lock. The file itself stays: removing it could let two
    // starts lock two different files of the same name.
    if (m_lockFile >= 0)
        ::close(m_lockFile);
}

QString SingleInstance::serverPath() const
{
    return m_folder.isEmpty() ? QString() : m_folder + QLatin1Char('/') + m_name;
}

QString SingleInstance::lockPath() const
{
    return m_folder.isEmpty() ? QString() : serverPath() + QStringLiteral(".lock");
}

SingleInstance::Role SingleInstance::start(const QString &commandLine)
{
    if (m_folder.isEmpty()) {
        std::fprintf(stderr, "line: %s; this start runs on its own without looking for a running line.\n",
                     m_folderRefusal.toLocal8Bit().constData());
        std::fflush(stderr);
        return Role::First;
    }
    if (takeLock()) {
        listen();
        return Role::First;
    }
    if (m_lockFile >= 0)
        return handOver(commandLine);
    // Without a lock file (a folder we cannot write) the socket alone decides.
    QLocalSocket probe;
    probe.connectToServer(serverPath());
    if (probe.waitForConnected(HandOverTimeoutMs)) {
        probe.abort();
        return handOver(commandLine);
    }
    listen();
    return Role::First;
}

bool SingleInstance::takeLock()
{
    const QByteArray path = QFile::encodeName(lockPath());
    // Close-on-exec, so that programs started from line do not inherit the lock.
    m_lockFile = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFile < 0)
        return false;
    if (::flock(m_lockFile, LOCK_EX | LOCK_NB) == 0)
        return true;
    const bool heldElsewhere = errno == EWOULDBLOCK;
    if (!heldElsewhere) {
        ::close(m_lockFile);
        m_lockFile = -1;
    }
    return false;
}

bool SingleInstance::listen()
{
    // Whoever holds the lock owns the name, so a socket file found now was left by an instance
    // that crashed or was killed.
    QLocalServer::removeServer(serverPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (m_server->listen(serverPath()))
        return true;
    qWarning("Later starts cannot reach this instance: %s", qPrintable(m_server->errorString()));
    return false;
}

SingleInstance::Role SingleInstance::handOver(const QString &commandLine)
{
    const QDeadlineTimer deadline(HandOverTimeoutMs);
    QLocalSocket socket;
    // The first instance may hold the lock and not listen yet.
    for (;;) {
        socket.connectToServer(serverPath());
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return Role::NoAnswer;
        QThread::msleep(RetryPauseMs);
        if (deadline.hasExpired())
            return Role::NoAnswer;
    }
    const QByteArray payload = LocalFileName::bytes(commandLine);
    QByteArray message(HeaderSize, '\0');
    qToBigEndian(quint32(payload.size()), message.data());
    message += payload;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return Role::NoAnswer;
    }
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return Role::NoAnswer;
    }
    char answer = 0;
    socket.getChar(&answer);
    if (answer == Refusal) {
        QByteArray reason = socket.readAll();
        while (socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()
               && socket.waitForReadyRead(int(deadline.remainingTime())))
            reason += socket.readAll();
        reason += socket.readAll();
        m_refusal = QString::fromUtf8(reason);
        return Role::Refused;
    }
    return answer == Acknowledgement ? Role::HandedOver : Role::NoAnswer;
}

void SingleInstance::acceptConnections()
{
    while (m_server->hasPendingConnections()) {
        QLocalSocket *socket = m_server->nextPendingConnection();
        if (!fromThisUser(socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A sender that never completes its message is dropped after the time it waits itself.
        QTimer::singleShot(HandOverTimeoutMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        readMessage(socket);
    }
}

void SingleInstance::readMessage(QLocalSocket *socket)
{
    if (socket->bytesAvailable() < HeaderSize)
        return;
    char header[HeaderSize];
    socket->peek(header, HeaderSize);
    const quint32 size = qFromBigEndian<quint32>(header);
    if (size > MaxPayloadSize) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < HeaderSize + qint64(size))
        return;
    socket->skip(HeaderSize);
    const QString commandLine = LocalFileName::fromBytes(socket->read(size));
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    const QString refusal = m_check && !commandLine.isEmpty() ? m_check(commandLine) : QString();
    // The sender may end before the command line is processed (which can show a message box).
    if (refusal.isEmpty())
        socket->putChar(Acknowledgement);
    else
        socket->write(Refusal + refusal.toUtf8());
    socket->flush();
    socket->disconnectFromServer();
    emit activationRequested();
    if (!commandLine.isEmpty() && refusal.isEmpty())
        emit commandLineReceived(commandLine);
}

void SingleInstance::bringForward(QWidget *window)
{
    if (!window)
        return;
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}
