#ifndef CTCPSTREAM_H
#define CTCPSTREAM_H

#include <QAbstractSocket>
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include "CEpollEventDispatcher.h"

class QHostInfo;
class QSocketNotifier;

// The one object a stream tells of its events directly instead of by its
// signals: a port, which a fleet has thousands of.
class CTcpStreamOwner
{
public:
    virtual void StreamHostFound() = 0;
    virtual void StreamConnected() = 0;
    virtual void StreamDisconnected() = 0;
    virtual void StreamStateChanged(QAbstractSocket::SocketState state) = 0;
    virtual void StreamError(QAbstractSocket::SocketError error) = 0;
    virtual void StreamReadyRead() = 0;

protected:
    ~CTcpStreamOwner() = default;
};

// A non-blocking TCP connection with the states, errors and signal order of
// QTcpSocket for what a projector port uses of it, at a fraction of the cost
// per frame: one read per notification and one send per frame, no FIONREAD
// query, no 16 KiB buffers per connection. A fleet keeps thousands of these
// open at once. On a thread run by the epoll dispatcher readiness comes
// straight from it, and it reads and sends for the stream together with the
// thread's other streams (a frame written goes to the kernel before the
// thread next waits, or before the stream does anything else with its
// socket); elsewhere through socket notifiers and a system call each.
class CTcpStream : public QObject, private CEpollWatcher
{
    Q_OBJECT
public:
    explicit CTcpStream(QObject* parent = nullptr);
    ~CTcpStream() override;

    // A host name is looked up first (HostLookupState), an address is not.
    void connectToHost(const QString& host, quint16 port);
    bool waitForConnected(int msecs);

    QAbstractSocket::SocketState state() const { return m_State; }
    QAbstractSocket::SocketError error() const { return m_Error; }

    // Queued while connecting (sent once connected), else handed to the
    // kernel at once; what it does not take yet, and a failure, follow with
    // flush() or the next turn of the loop. -1 when unconnected.
    qint64 write(const QByteArray& data);
    bool flush();
    qint64 bytesToWrite() const { return m_Out.size(); }

    // What has arrived and not been read yet.
    qint64 bytesAvailable() const { return m_In.size(); }
    QByteArray read(qint64 maxSize);
    QByteArray readAll();

    // With an owner the events go to it (unless signals are blocked) and the
    // signals stay silent; null gives them back to the signals.
    void SetOwner(CTcpStreamOwner* owner) { m_pOwner = owner; }

    // At once, without waiting for queued bytes.
    void abort();
    // After queued bytes are written; while connecting, once connected.
    void close();

signals:
    void hostFound();
    void connected();
    void disconnected();
    void stateChanged(QAbstractSocket::SocketState state);
    void errorOccurred(QAbstractSocket::SocketError error);
    void readyRead();

private:
    void f_OnLookedUp(const QHostInfo& info);
    void f_StartConnecting(const QList<QHostAddress>& addresses);
    void f_ConnectToNextAddress();
    void f_TestConnection();
    void f_ConnectionMade();
    void f_OnReadable();
    void f_OnWritable();
    // False after a failed write (reported; the stream may be deleted by then).
    bool f_WriteOut();
    bool f_WriteFailed(QAbstractSocket::SocketError error);
    void f_SetState(QAbstractSocket::SocketState state);
    void f_DisconnectFromHost();
    void f_FailAndClose(QAbstractSocket::SocketError error);
    void f_CloseDescriptor();
    void f_CancelLookup();
    void f_SetInterest(bool read, bool write);
    void f_TakeRead(const char* data, int result);
    void f_SubmitQueuedSends();
    void EpollReady(int fd, quint32 events) override;
    void EpollRead(int fd, quint32 events, const char* data, int result) override;
    void EpollSent(int fd, const QByteArray& data, int result) override;
    template <typename... Args>
    void f_Tell(void (CTcpStreamOwner::*told)(Args...), void (CTcpStream::*signal)(Args...), Args... args);

    int m_Fd = -1;
    QString m_Host;
    quint16 m_Port = 0;
    QAbstractSocket::SocketState m_State = QAbstractSocket::UnconnectedState;
    QAbstractSocket::SocketError m_Error = QAbstractSocket::UnknownSocketError;
    QList<QHostAddress> m_Addresses;
    int m_LookupId = -1;
    bool m_bPendingClose = false;
    bool m_bAborting = false;
    // A write the kernel refused, reported by the next flush or turn.
    bool m_bWriteFailed = false;
    QAbstractSocket::SocketError m_WriteFailure = QAbstractSocket::UnknownSocketError;
    QByteArray m_In;
    QByteArray m_Out;
    // Bytes this thread's dispatcher holds to send with the others of the turn.
    int m_nQueued = 0;
    QPointer<CEpollEventDispatcher> m_pEpoll; // this thread's, when it is one
    bool m_bRead = false;
    bool m_bWrite = false;
    QSocketNotifier* m_pReadNotifier = nullptr;
    QSocketNotifier* m_pWriteNotifier = nullptr;
    CTcpStreamOwner* m_pOwner = nullptr;
};

#endif // CTCPSTREAM_H
