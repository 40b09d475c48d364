#include "ZunaLink.h"

#include <QDeadlineTimer>

TZunaLink::TZunaLink(QObject* parent) : QObject(parent) {
    connect(&Socket, &QLocalSocket::readyRead, this, [this] {
        if (!Sending) // a waiting send reads for itself
            ReadAvailable();
    });
    connect(&Socket, &QLocalSocket::disconnected, this, [this] {
        if (Connected) {
            Connected = false;
            Buffer.clear();
            emit ConnectionLost();
        }
    });
}

TZunaLink::~TZunaLink() {
    // closing the socket below must not reach the handlers of members that are already gone
    Socket.disconnect(this);
    Socket.abort();
}

bool TZunaLink::Connect() {
    Disconnect();
    Socket.connectToServer(Zuna::SocketPath());
    Connected = Socket.waitForConnected(Zuna::kSendTimeoutMs);
    if (!Connected)
        Socket.abort();
    return Connected;
}

bool TZunaLink::IsConnected() const { return Connected && Socket.state() == QLocalSocket::ConnectedState; }

void TZunaLink::Disconnect() {
    Connected = false; // a deliberate close is no lost connection
    Socket.abort();
    Buffer.clear();
    Posts.clear();
    Results.clear();
}

void TZunaLink::Post(quint32 message, qint64 wParam, qint64 lParam) {
    if (!IsConnected())
        return;
    Socket.write(Zuna::Frame{Zuna::Post, message, wParam, lParam}.Encode());
    Socket.flush();
}

qint64 TZunaLink::Send(quint32 message, qint64 wParam, qint64 lParam) {
    if (!IsConnected())
        return 0;
    Sending = true;
    qint64 result = 0;
    Socket.write(Zuna::Frame{Zuna::Send, message, wParam, lParam}.Encode());
    const QDeadlineTimer deadline(Zuna::kSendTimeoutMs);
    Socket.flush();
    while (!TakeResult(message, &result)) {
        if (!IsConnected() || deadline.hasExpired() || !Socket.waitForReadyRead(int(deadline.remainingTime()))) {
            if (Socket.bytesAvailable() > 0) {
                TakeFrames();
                continue;
            }
            result = 0;
            break;
        }
        TakeFrames();
    }
    Sending = false;
    if (!Posts.isEmpty())
        QMetaObject::invokeMethod(this, &TZunaLink::DeliverPosts, Qt::QueuedConnection);
    return result;
}

bool TZunaLink::TakeResult(quint32 message, qint64* result) {
    while (!Results.isEmpty()) {
        const Zuna::Frame frame = Results.takeFirst();
        if (frame.Message == message) {
            *result = frame.WParam;
            return true;
        }
        // the late result of an earlier send that gave up: dropped
    }
    return false;
}

void TZunaLink::TakeFrames() {
    Buffer += Socket.readAll();
    qsizetype used = 0;
    for (; Buffer.size() - used >= Zuna::kFrameSize; used += Zuna::kFrameSize) {
        const Zuna::Frame frame = Zuna::Frame::Decode(Buffer.constData() + used);
        if (frame.FrameKind == Zuna::Result)
            Results.append(frame);
        else if (frame.FrameKind == Zuna::Post)
            Posts.append(frame);
        // a send from the server, or an unknown kind: ignored
    }
    Buffer.remove(0, used);
}

void TZunaLink::ReadAvailable() {
    TakeFrames();
    Results.clear(); // results nobody waits for any more
    DeliverPosts();
}

void TZunaLink::DeliverPosts() {
    while (!Posts.isEmpty() && !Sending) {
        const Zuna::Frame frame = Posts.takeFirst();
        emit MessageReceived(frame.Message, frame.WParam, frame.LParam);
    }
}
