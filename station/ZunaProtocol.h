#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The messages between the weighing station and the scales server, carried as 24-byte frames over a local
// socket: uint32 kind, uint32 message, int64 wParam, int64 lParam, little-endian.
namespace Zuna {

// Station to server.
constexpr quint32 WM_ZUNA_REGISTER = 0x8001;       // post: wParam station handle
constexpr quint32 WM_ZUNA_UNREGISTER = 0x8002;     // post: wParam station handle
constexpr quint32 WM_ZUNA_OPTIONS = 0x8003;        // post: the server shows its settings
constexpr quint32 WM_ZUNA_CONNECT = 0x8004;        // post: wParam station handle
constexpr quint32 WM_ZUNA_DISCONNECT = 0x8005;     // post: wParam station handle
constexpr quint32 WM_ZUNA_MODE = 0x8006;           // post: wParam station handle, lParam 0 static / 1 automatic
constexpr quint32 WM_ZUNA_GET_WEIGHT = 0x8007;     // send: the weight on the scales, kg
constexpr quint32 WM_ZUNA_HANDLE_CHANGED = 0x8008; // post: wParam the handle told last, lParam the current one
constexpr quint32 WM_ZUNA_QUERY = 0x8009;          // send: wParam query code

// Server to station (lParam: the station handle addressed).
constexpr quint32 WM_ZUNA_NOTIFY = 0x8020;
constexpr quint32 WM_ZUNA_STATE = 0x8021; // wParam 0 disconnected, 1 connected, 2 connecting

// Query codes.
constexpr qint64 ZQ_VERSION = 0;
constexpr qint64 ZQ_STATIC = 8000;
constexpr qint64 ZQ_AUTO = 8001;
constexpr qint64 ZQ_PLATFORM = 8002;
constexpr qint64 ZQ_WEIGHT_ALERT = 8100;

constexpr int kProtocolVersion = 1;

// Control messages of the stand-in server, for tests and demonstrations; the station never sends them.
constexpr quint32 ZT_SET_WEIGHT = 0x80F0;    // wParam kg
constexpr quint32 ZT_SEND_STATE = 0x80F1;    // wParam the state sent to every station
constexpr quint32 ZT_STOP_ANSWERING = 0x80F2; // wParam ms without answering sends
constexpr quint32 ZT_CLOSE_ALL = 0x80F3;      // close every connection
constexpr quint32 ZT_QUIT = 0x80F4;           // the server ends

enum Kind : quint32 { Post = 1, Send = 2, Result = 3 };

constexpr int kFrameSize = 24;
constexpr int kSendTimeoutMs = 1000;

struct Frame {
    quint32 FrameKind = Post;
    quint32 Message = 0;
    qint64 WParam = 0;
    qint64 LParam = 0;

    QByteArray Encode() const;
    // Decodes the first kFrameSize bytes of data.
    static Frame Decode(const char* data);
    bool KnownKind() const { return FrameKind >= Post && FrameKind <= Result; }
};

// The server's socket: $ZUNA_SOCKET, else $XDG_RUNTIME_DIR/PLQ_ZUNA_unique_name, else
// /tmp/PLQ_ZUNA_unique_name-<uid>.
QString SocketPath();

} // namespace Zuna
