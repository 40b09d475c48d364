#include "ZunaProtocol.h"

#include <QtEndian>
#include <unistd.h>

namespace Zuna {

QByteArray Frame::Encode() const {
    QByteArray bytes(kFrameSize, '\0');
    char* p = bytes.data();
    qToLittleEndian<quint32>(FrameKind, p);
    qToLittleEndian<quint32>(Message, p + 4);
    qToLittleEndian<qint64>(WParam, p + 8);
    qToLittleEndian<qint64>(LParam, p + 16);
    return bytes;
}

Frame Frame::Decode(const char* data) {
    Frame frame;
    frame.FrameKind = qFromLittleEndian<quint32>(data);
    frame.Message = qFromLittleEndian<quint32>(data + 4);
    frame.WParam = qFromLittleEndian<qint64>(data + 8);
    frame.LParam = qFromLittleEndian<qint64>(data + 16);
    return frame;
}

QString SocketPath() {
    const QString configured = qEnvironmentVariable("ZUNA_SOCKET");
    if (!configured.isEmpty())
        return configured;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return runtime + QStringLiteral("/PLQ_ZUNA_unique_name");
    return QStringLiteral("/tmp/PLQ_ZUNA_unique_name-%1").arg(getuid());
}

} // namespace Zuna
