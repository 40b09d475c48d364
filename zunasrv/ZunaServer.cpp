#include "ZunaServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>

namespace {

qint64 NowMs() {
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

TZunaServer::TZunaServer(QObject* parent) : QObject(parent) {
    ConnectTimer.setSingleShot(true);
    connect(&ConnectTimer, &QTimer::timeout, this, [this] { SendState(1); });
    connect(&Server, &QLocalServer::newConnection, this, &TZunaServer::Accept);
}

TZunaServer::~TZunaServer() {
    // the connections die with the listening server: their handlers must not run into members already gone
    for (QLocalSocket* socket : Buffers.keys())
        socket->disconnect(this);
    Server.close();
}

bool TZunaServer::Listen() {
    const QString path = Zuna::SocketPath();
    // a socket file left by a server that died is taken over; a live server keeps its socket
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(200)) {
        Error = QStringLiteral("Сервер ZUNA уже запущен (%1).").arg(path);
        return false;
    }
    QLocalServer::removeServer(path);
    Server.setSocketOptions(QLocalServer::UserAccessOption); // no other user can pose as the scales
    if (!Server.listen(path)) {
        Error = Server.errorString();
        return false;
    }
    return true;
}

void TZunaServer::SetWeight(int kilograms) {
    if (CurrentWeight == kilograms)
        return;
    CurrentWeight = kilograms;
    emit Changed();
}

void TZunaServer::ConnectScales() {
    SendState(2);
    ConnectTimer.start(Settings.ConnectDelayMs);
}

void TZunaServer::DisconnectScales() {
    ConnectTimer.stop();
    SendState(0);
}

void TZunaServer::SendState(int state) {
    State = state;
    for (auto it = Stations.begin(); it != Stations.end(); ++it)
        if (it.value())
            it.value()->write(Zuna::Frame{Zuna::Post, Zuna::WM_ZUNA_STATE, state, it.key()}.Encode());
    emit Changed();
}

void TZunaServer::Accept() {
    while (QLocalSocket* socket = Server.nextPendingConnection()) {
        Buffers.insert(socket, {});
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            Forget(socket);
            socket->deleteLater();
        });
    }
}

void TZunaServer::Forget(QLocalSocket* socket) {
    Buffers.remove(socket);
    for (auto it = Stations.begin(); it != Stations.end();)
        it = it.value() == socket || !it.value() ? Stations.erase(it) : std::next(it);
    emit Changed();
}

void TZunaServer::Read(QLocalSocket* socket) {
    QByteArray& buffer = Buffers[socket];
    buffer += socket->readAll();
    qsizetype used = 0;
    for (; buffer.size() - used >= Zuna::kFrameSize; used += Zuna::kFrameSize) {
        const Zuna::Frame frame = Zuna::Frame::Decode(buffer.constData() + used);
        if (!frame.KnownKind())
            continue; // a frame of an unknown kind is ignored
        Handle(socket, frame);
        if (!Buffers.contains(socket))
            return; // the connection was closed while handling
    }
    buffer.remove(0, used);
}

qint64 TZunaServer::Answer(const Zuna::Frame& frame) const {
    if (frame.Message == Zuna::WM_ZUNA_GET_WEIGHT)
        return CurrentWeight;
    if (frame.Message != Zuna::WM_ZUNA_QUERY)
        return 0;
    switch (frame.WParam) {
    case Zuna::ZQ_VERSION: return Settings.Version;
    case Zuna::ZQ_STATIC: return Settings.Static;
    case Zuna::ZQ_AUTO: return Settings.Auto;
    case Zuna::ZQ_PLATFORM: return Settings.Platform;
    case Zuna::ZQ_WEIGHT_ALERT: return CurrentWeight > Settings.AlertWeight;
    default: return 0;
    }
}

void TZunaServer::Handle(QLocalSocket* socket, const Zuna::Frame& frame) {
    if (frame.FrameKind == Zuna::Send) {
        if (NowMs() < SilentUntil)
            return; // playing a hung server
        socket->write(Zuna::Frame{Zuna::Result, frame.Message, Answer(frame), 0}.Encode());
        return;
    }
    if (frame.FrameKind != Zuna::Post)
        return;
    switch (frame.Message) {
    case Zuna::WM_ZUNA_REGISTER:
        Stations.insert(frame.WParam, socket);
        emit Changed();
        break;
    case Zuna::WM_ZUNA_UNREGISTER:
        Stations.remove(frame.WParam);
        emit Changed();
        break;
    case Zuna::WM_ZUNA_HANDLE_CHANGED:
        Stations.remove(frame.WParam);
        Stations.insert(frame.LParam, socket);
        emit Changed();
        break;
    case Zuna::WM_ZUNA_OPTIONS: emit OptionsRequested(); break;
    case Zuna::WM_ZUNA_CONNECT: ConnectScales(); break;
    case Zuna::WM_ZUNA_DISCONNECT: DisconnectScales(); break;
    case Zuna::WM_ZUNA_MODE:
        WeighingMode = int(frame.LParam);
        emit Changed();
        break;
    case Zuna::ZT_SET_WEIGHT: SetWeight(int(frame.WParam)); break;
    case Zuna::ZT_SEND_STATE: SendState(int(frame.WParam)); break;
    case Zuna::ZT_STOP_ANSWERING: SilentUntil = NowMs() + frame.WParam; break;
    case Zuna::ZT_QUIT: QCoreApplication::quit(); break;
    case Zuna::ZT_CLOSE_ALL: {
        const auto sockets = Buffers.keys();
        for (QLocalSocket* each : sockets) {
            Forget(each);
            each->abort();
        }
        break;
    }
    default: break; // unknown messages are ignored
    }
}
