// The station's side of the scales server link: the handshake, the link state, polling and the menu commands.
#include "IniFile.h"
#include "MeasurerForm.h"
#include "PaintBox.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QThread>

namespace {
constexpr int kServerStartMs = 5000;
}

bool TMeasurerForm::ConnectServer() {
    QString reason;
    bool ok = true;
    if (!Link.Connect()) {
        QString path = Config.ReadString(QStringLiteral("zuna"), QStringLiteral("server"), QStringLiteral("zunasrv"));
        if (!QFileInfo(path).isFile() && QFileInfo(path).isRelative()) // an absolute path stays as it is
            path = Config.ReadString(QStringLiteral("temp"), QStringLiteral("AppDir"), QString()) + path;
        const QString commandLine =
            path + QLatin1Char(' ') + Config.ReadString(QStringLiteral("zuna"), QStringLiteral("runparam"), QStringLiteral("-start"));
        QStringList arguments = QProcess::splitCommand(commandLine);
        // a bare name of a file in the current folder means that file, not a program on the PATH
        if (!arguments.isEmpty() && !arguments.first().contains(QLatin1Char('/')) && QFileInfo(arguments.first()).isFile())
            arguments.first().prepend(QStringLiteral("./"));
        if (arguments.isEmpty() || !QProcess::startDetached(arguments.first(), arguments.mid(1))) {
            ok = false;
            reason = QStringLiteral("Не удаётся запустить модуль работы с весами: \n") + commandLine;
        } else {
            // the interface stays responsive while the server comes up
            const QDeadlineTimer deadline(kServerStartMs);
            while (!Link.Connect()) {
                if (deadline.hasExpired()) {
                    ok = false;
                    reason = QStringLiteral("Превышено время ожидания загрузки сервера ( %1 мс )").arg(kServerStartMs);
                    break;
                }
                QCoreApplication::processEvents();
                QThread::msleep(5);
            }
        }
    }
    const qint64 version = Link.Send(Zuna::WM_ZUNA_QUERY, Zuna::ZQ_VERSION) & 0xFFFF;
    if (ok && version != Zuna::kProtocolVersion) {
        ok = false;
        reason = QStringLiteral("Версии протоколов ZUNA не совпадают. \nверсия программы: %1\nверсия сервера ZUNA: %2")
                     .arg(Zuna::kProtocolVersion)
                     .arg(version);
    }
    CanStatic = Link.Send(Zuna::WM_ZUNA_QUERY, Zuna::ZQ_STATIC) != 0;
    CanAuto = Link.Send(Zuna::WM_ZUNA_QUERY, Zuna::ZQ_AUTO) != 0;
    IsPlatform = Link.Send(Zuna::WM_ZUNA_QUERY, Zuna::ZQ_PLATFORM) != 0;
    if (ok) {
        Link.Post(Zuna::WM_ZUNA_REGISTER, Handle);
    } else {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Внимание!"),
                        QStringLiteral("Возникли проблемы при подключении интерфейса весов.\n"
                                       "Работа с весами будет недоступна.\n") +
                            reason,
                        QMessageBox::Ok);
        box.exec();
    }
    return ok;
}

void TMeasurerForm::RequestConnect() { Link.Post(Zuna::WM_ZUNA_CONNECT, Handle); }

void TMeasurerForm::RequestDisconnect() {
    if (!(LinkState & LINK_SCALES))
        return;
    Link.Post(Zuna::WM_ZUNA_DISCONNECT, Handle);
    RefreshModes();
}

void TMeasurerForm::ShowServerOptions() { Link.Post(Zuna::WM_ZUNA_OPTIONS); }

void TMeasurerForm::Reparented() { Handle = NextHandle++; }

void TMeasurerForm::AnnounceHandle() {
    Link.Post(Zuna::WM_ZUNA_HANDLE_CHANGED, LastHandle, Handle);
    LastHandle = Handle;
}

int TMeasurerForm::PollWeight() {
    WeightAlert = Link.Send(Zuna::WM_ZUNA_QUERY, Zuna::ZQ_WEIGHT_ALERT) != 0;
    return int(Link.Send(Zuna::WM_ZUNA_GET_WEIGHT));
}

void TMeasurerForm::StaticTimerTimer() {
    if (!(LinkState & LINK_SCALES))
        return;
    CurrentWeight = PollWeight();
    UpdateFixButtons();
    IndicatorPaintBox->update();
}

QString TMeasurerForm::StatusText() const {
    if (LinkState == 0)
        return QStringLiteral("Отсутствует соединение с ZUNA сервером.");
    if ((LinkState & LINK_CONNECTING) && (LinkState & LINK_LOST))
        return QStringLiteral("Связь с весами потеряна. Восстановление связи...");
    if (LinkState & LINK_CONNECTING)
        return QStringLiteral("Установка связи с весами");
    return QStringLiteral("Связь с весами отсутствует.");
}

void TMeasurerForm::OnServerMessage(quint32 message, qint64 wParam, qint64) {
    if (message != Zuna::WM_ZUNA_STATE || LinkState == 0)
        return; // WM_ZUNA_NOTIFY and anything else: accepted and ignored
    switch (wParam) {
    case 0:
        LinkState = LINK_SERVER;
        ModeRequest = -1;
        break;
    case 1:
        LinkState = LINK_SERVER | LINK_SCALES;
        break;
    case 2:
        if (LinkState & LINK_SCALES)
            LinkState |= LINK_LOST;
        LinkState = quint8((LinkState & ~LINK_SCALES) | LINK_CONNECTING);
        ModeRequest = -1;
        break;
    default:
        return;
    }
    RefreshModes();
}

void TMeasurerForm::OnConnectionLost() {
    // The server closed its end or died: no polling of a dead link. The measurement in progress stays and can
    // still be saved or reset; "Подключить" builds the link up again.
    LinkState = 0;
    ModeRequest = -1;
    RefreshModes();
}
