#pragma once

#include "ZunaProtocol.h"

#include <QHash>
#include <QLocalServer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QLocalSocket;

// What the stand-in server tells the stations about its scales.
struct TServerSettings {
    bool Static = true;    // static weighing available
    bool Auto = false;     // automatic weighing available
    bool Platform = true;  // a platform carrying several axles, else single-axle scales
    qint64 Version = Zuna::kProtocolVersion;
    int ConnectDelayMs = 500; // from "connecting" to "connected"
    int AlertWeight = 40000;  // kg above which the weight is an alert
};

// The scales server's side of the ZUNA protocol over the local socket: answers queries and weight requests,
// keeps the registered stations, and tells them the scales' link state.
class TZunaServer : public QObject {
    Q_OBJECT
public:
    explicit TZunaServer(QObject* parent = nullptr);
    ~TZunaServer() override;

    // Listens on the socket (owner-only access); false with the reason in ErrorText().
    bool Listen();
    QString ErrorText() const { return Error; }

    TServerSettings Settings;
    int Weight() const { return CurrentWeight; }
    void SetWeight(int kilograms);
    int ScalesState() const { return State; } // 0 disconnected, 1 connected, 2 connecting
    int Mode() const { return WeighingMode; } // last WM_ZUNA_MODE: 0 static, 1 automatic
    int StationCount() const { return int(Stations.size()); }

    void ConnectScales();
    void DisconnectScales();
    void SendState(int state);

signals:
    void OptionsRequested();
    void Changed(); // weight, state, mode or stations changed

private:
    void Accept();
    void Read(QLocalSocket* socket);
    void Handle(QLocalSocket* socket, const Zuna::Frame& frame);
    qint64 Answer(const Zuna::Frame& frame) const;
    void Forget(QLocalSocket* socket);

    QLocalServer Server;
    QString Error;
    QHash<QLocalSocket*, QByteArray> Buffers;
    QHash<qint64, QPointer<QLocalSocket>> Stations; // station handle → the connection it came through
    QTimer ConnectTimer;
    qint64 SilentUntil = 0; // monotonic ms until which sends are not answered
    int CurrentWeight = 0;
    int State = 0;
    int WeighingMode = 0;
};
