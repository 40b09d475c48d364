#pragma once

#include "ZunaProtocol.h"

#include <QList>
#include <QLocalSocket>
#include <QObject>

// The station's connection to the scales server. Posts never wait; a send waits for its result at most
// Zuna::kSendTimeoutMs and gives 0 when none comes or there is no connection, as a message to a missing window
// does. Posts of the server that arrive while a send waits are delivered after it, in order.
class TZunaLink : public QObject {
    Q_OBJECT
public:
    explicit TZunaLink(QObject* parent = nullptr);
    ~TZunaLink() override;

    // "Finds the server window": connects to the server's socket. False when no server listens there.
    bool Connect();
    bool IsConnected() const;
    void Disconnect();

    void Post(quint32 message, qint64 wParam = 0, qint64 lParam = 0);
    qint64 Send(quint32 message, qint64 wParam = 0, qint64 lParam = 0);

signals:
    // A post of the server (WM_ZUNA_STATE, WM_ZUNA_NOTIFY, …), delivered from the event loop.
    void MessageReceived(quint32 message, qint64 wParam, qint64 lParam);
    // The server closed the connection or died.
    void ConnectionLost();

private:
    void ReadAvailable();
    void TakeFrames();
    void DeliverPosts();
    bool TakeResult(quint32 message, qint64* result);

    QLocalSocket Socket;
    QByteArray Buffer;
    QList<Zuna::Frame> Posts;    // server posts not yet delivered
    QList<Zuna::Frame> Results;  // results not yet claimed by a send
    bool Sending = false;
    bool Connected = false;
};
