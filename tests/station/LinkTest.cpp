#include "QtPrinters.h"
#include "StationFixture.h"

#include <QLocalSocket>
#include <QTabWidget>

namespace {
class StationLink : public StationTest {};
STATION_TEST_SUITE(StationLink);

const QString kProblem = QStringLiteral("Внимание!|Возникли проблемы при подключении интерфейса весов.\n"
                                        "Работа с весами будет недоступна.\n");
} // namespace

TEST_P(StationLink, RunningServerIsUsedAsItIs) {
    StartServer({QStringLiteral("--single-axle"), QStringLiteral("--auto")});
    CreateStation();
    EXPECT_TRUE(Boxes.isEmpty()) << Boxes.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Station->LinkState, LINK_SERVER);
    EXPECT_TRUE(Station->CanStatic);
    EXPECT_TRUE(Station->CanAuto);
    EXPECT_FALSE(Station->IsPlatform);
    EXPECT_EQ(Station->StatusText(), QStringLiteral("Связь с весами отсутствует."));
    ConnectScales(); // the station registered: the server's state messages reach it
}

TEST_P(StationLink, MissingServerIsStartedFromTheConfiguration) {
    CreateStation();
    EXPECT_TRUE(Boxes.isEmpty()) << Boxes.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Station->LinkState, LINK_SERVER);
    EXPECT_TRUE(Station->IsPlatform);
    ConnectScales();
}

TEST_P(StationLink, ServerThatCannotBeStartedOrNeverAnswers) {
    WriteConfig(QStringLiteral("/nonexistent/zunasrv"), QStringLiteral("-start"));
    CreateStation();
    EXPECT_EQ(Boxes, QStringList(kProblem + QStringLiteral("Не удаётся запустить модуль работы с весами: \n"
                                                           "/nonexistent/zunasrv -start")));
    EXPECT_EQ(Station->LinkState, 0);
    EXPECT_FALSE(Station->CanStatic || Station->CanAuto || Station->IsPlatform);
    EXPECT_EQ(Station->InfoLbl->text(), QStringLiteral("Отсутствует соединение с ZUNA сервером."));
    EXPECT_EQ(Station->FixPageControl->currentWidget(), Station->InfoTabSheet);

    Station.reset();
    Boxes.clear();
    WriteConfig(QStringLiteral("/bin/sleep"), QStringLiteral("30")); // starts, but never opens the socket
    CreateStation();
    EXPECT_EQ(Boxes, QStringList(kProblem + QStringLiteral("Превышено время ожидания загрузки сервера ( 5000 мс )")));
}

TEST_P(StationLink, OnlyTheLowSixteenBitsOfTheVersionCount) {
    StartServer({QStringLiteral("--protocol-version=0x10001")});
    CreateStation();
    EXPECT_TRUE(Boxes.isEmpty());
    EXPECT_EQ(Station->LinkState, LINK_SERVER);
    StopServer();
    Station.reset();

    StartServer({QStringLiteral("--protocol-version=2")});
    CreateStation();
    EXPECT_EQ(Boxes, QStringList(kProblem + QStringLiteral("Версии протоколов ZUNA не совпадают. \n"
                                                           "версия программы: 1\nверсия сервера ZUNA: 2")));
    EXPECT_EQ(Station->LinkState, 0);
    EXPECT_TRUE(Station->IsPlatform); // the capabilities are asked all the same
    Station->RequestConnect();         // not registered: no state comes back
    QTest::qWait(800);
    EXPECT_EQ(Station->LinkState, 0);
}

TEST_P(StationLink, LinkStatesAndTheirTexts) {
    StartServer({QStringLiteral("--connect-delay=100")});
    CreateStation();
    const auto state = [this](int value, quint8 expected) {
        Control.Post(Zuna::ZT_SEND_STATE, value);
        return QTest::qWaitFor([&] { return Station->LinkState == expected; }, 3000);
    };
    ASSERT_TRUE(state(2, LINK_SERVER | LINK_CONNECTING));
    EXPECT_EQ(Station->InfoLbl->text(), QStringLiteral("Установка связи с весами"));
    ASSERT_TRUE(state(1, LINK_SERVER | LINK_SCALES));
    EXPECT_NE(Station->FixPageControl->currentWidget(), Station->InfoTabSheet);
    ASSERT_TRUE(state(2, LINK_SERVER | LINK_CONNECTING | LINK_LOST));
    EXPECT_EQ(Station->InfoLbl->text(), QStringLiteral("Связь с весами потеряна. Восстановление связи..."));
    EXPECT_EQ(Station->ModeRequest, -1);
    ASSERT_TRUE(state(1, LINK_SERVER | LINK_SCALES)); // the modes return
    EXPECT_EQ(Station->FixPageControl->currentWidget(), Station->FixVehicleTabSheet);
    ASSERT_TRUE(state(0, LINK_SERVER));
    EXPECT_EQ(Station->InfoLbl->text(), QStringLiteral("Связь с весами отсутствует."));
    Control.Post(Zuna::ZT_SEND_STATE, 7); // an unknown state changes nothing
    QTest::qWait(200);
    EXPECT_EQ(Station->LinkState, LINK_SERVER);
}

TEST_P(StationLink, DisconnectOnlyWhileConnected) {
    StartServer();
    CreateStation();
    Station->DisconnectMI->trigger(); // not connected: nothing is posted, so no state comes back
    QTest::qWait(300);
    EXPECT_EQ(Station->LinkState, LINK_SERVER);
    ConnectScales();
    Station->DisconnectMI->trigger();
    EXPECT_TRUE(QTest::qWaitFor([this] { return Station->LinkState == LINK_SERVER; }, 3000));
}

TEST_P(StationLink, ServerThatGoesAwayLeavesTheMeasurementAndCanBeReconnected) {
    StartServer();
    CreateStation();
    ConnectScales();
    SetWeight(30000);
    Station->FixVehicleBtnClick();
    Control.Post(Zuna::ZT_CLOSE_ALL);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Station->LinkState == 0; }, 3000));
    EXPECT_FALSE(Station->StaticTimer.isActive()); // nothing polls a dead link
    EXPECT_EQ(Station->InfoLbl->text(), QStringLiteral("Отсутствует соединение с ZUNA сервером."));
    EXPECT_EQ(Station->CurrentWeight, 0);
    EXPECT_TRUE(Station->SaveBtn->isEnabled()); // the measurement can still be saved or reset
    EXPECT_EQ(Station->Measurement->VehicleWeighing->Weight, 30000);

    ASSERT_TRUE(Control.Connect());
    Station->ConnectMI->trigger(); // the handshake runs again
    ASSERT_TRUE(QTest::qWaitFor([this] { return (Station->LinkState & LINK_SCALES) != 0; }, 5000));
    EXPECT_EQ(Station->FixPageControl->currentWidget(), Station->FixVehicleTabSheet); // only the measurement's page
    Station->SaveMeasurement();
    EXPECT_EQ(Count(QStringLiteral("measure")), 1);
}

TEST_P(StationLink, HungServerCostsAtMostTheSendTimeOut) {
    StartServer();
    CreateStation();
    Control.Post(Zuna::ZT_STOP_ANSWERING, 3000);
    QTest::qWait(100);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Station->Link.Send(Zuna::WM_ZUNA_QUERY, Zuna::ZQ_VERSION), 0);
    EXPECT_LT(clock.elapsed(), Zuna::kSendTimeoutMs + 300);
    EXPECT_GE(clock.elapsed(), Zuna::kSendTimeoutMs - 50);
}

TEST_P(StationLink, EveryReparentingGivesANewHandleThatIsAnnounced) {
    StartServer();
    CreateStation();
    const qint64 first = Station->WindowHandle();
    EXPECT_EQ(Station->LastHandle, first);
    Station->setFloating(!Station->isFloating()); // as a drag out or back does
    EXPECT_NE(Station->WindowHandle(), first);
    EXPECT_EQ(Station->LastHandle, Station->WindowHandle());
    // the server now addresses the new handle: its state still arrives
    ConnectScales();
}

TEST_P(StationLink, ServerIgnoresUnknownFramesAndSurvivesABrokenClient) {
    StartServer();
    QLocalSocket raw;
    raw.connectToServer(Zuna::SocketPath());
    ASSERT_TRUE(raw.waitForConnected(1000));
    raw.write(Zuna::Frame{7, Zuna::WM_ZUNA_QUERY, 0, 0}.Encode());          // unknown kind
    raw.write(Zuna::Frame{Zuna::Post, 0x1234, 0, 0}.Encode());              // unknown message
    raw.write(Zuna::Frame{Zuna::Send, Zuna::WM_ZUNA_QUERY, Zuna::ZQ_VERSION, 0}.Encode());
    ASSERT_TRUE(raw.waitForReadyRead(1000));
    QByteArray answer = raw.readAll();
    while (answer.size() < Zuna::kFrameSize && raw.waitForReadyRead(500))
        answer += raw.readAll();
    ASSERT_EQ(answer.size(), Zuna::kFrameSize);
    const Zuna::Frame result = Zuna::Frame::Decode(answer.constData());
    EXPECT_EQ(result.FrameKind, quint32(Zuna::Result));
    EXPECT_EQ(result.WParam, 1);
    raw.write(QByteArray(10, '\x55')); // half a frame, then the client goes away
    raw.flush();
    raw.abort();
    CreateStation(); // the server still serves others
    EXPECT_EQ(Station->LinkState, LINK_SERVER);
}

TEST_P(StationLink, DefaultServerIsLookedForInTheCurrentFolderThenBesideTheProgram) {
    const QFileInfo server(QStringLiteral(ZUNASRV_PATH));
    {
        QFile::remove(ConfigPath);
        IniFile config(ConfigPath); // no [zuna] section: "zunasrv -start"
        config.WriteString(QStringLiteral("temp"), QStringLiteral("AppDir"), server.absolutePath() + QLatin1Char('/'));
        Config = std::make_unique<IniFile>(ConfigPath);
    }
    CreateStation(); // started from the program folder
    EXPECT_TRUE(Boxes.isEmpty()) << Boxes.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Station->LinkState, LINK_SERVER);
    Station.reset();
    StopServer();

    // a file of that name in the current folder wins; here it is not a server, so it is what fails to come up
    QTemporaryDir current;
    QFile fake(current.filePath(QStringLiteral("zunasrv")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\nexit 0\n");
    fake.close();
    fake.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QString before = QDir::currentPath();
    QDir::setCurrent(current.path());
    {
        ModalWatcher watcher([this](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                Boxes.append(box->text());
        });
        TMeasurerForm station(*Config, nullptr);
        EXPECT_EQ(station.LinkState, 0);
    }
    QDir::setCurrent(before);
    ASSERT_EQ(Boxes.size(), 1);
    EXPECT_TRUE(Boxes[0].endsWith(QStringLiteral("Превышено время ожидания загрузки сервера ( 5000 мс )")));
}
