#pragma once

#include "IniFile.h"
#include "MeasurerForm.h"
#include "PaintBox.h"
#include "ModalWatcher.h"
#include "StorageFixture.h"
#include "ZunaLink.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>
#include <QTest>

// A station test: its own socket path, its own database, a config.ini that starts the real stand-in server, and
// a control connection to that server.
class StationTest : public StorageTest {
protected:
    void SetUp() override {
        StorageTest::SetUp();
        if (IsSkipped())
            return;
        SocketDir = std::make_unique<QTemporaryDir>();
        qputenv("ZUNA_SOCKET", (SocketDir->path() + QStringLiteral("/zuna")).toUtf8());
        ConfigPath = Folder.path() + QStringLiteral("/config.ini");
        WriteConfig(QStringLiteral(ZUNASRV_PATH), QStringLiteral("-start --no-window"));
    }

    void TearDown() override {
        Station.reset();
        StopServer();
        qunsetenv("ZUNA_SOCKET");
        StorageTest::TearDown();
    }

    void WriteConfig(const QString& server, const QString& runparam) {
        QFile::remove(ConfigPath);
        IniFile config(ConfigPath);
        config.WriteString(QStringLiteral("zuna"), QStringLiteral("server"), server);
        config.WriteString(QStringLiteral("zuna"), QStringLiteral("runparam"), runparam);
        config.WriteString(QStringLiteral("temp"), QStringLiteral("AppDir"), QStringLiteral("/nonexistent/"));
        Config = std::make_unique<IniFile>(ConfigPath);
    }

    // Starts zunasrv with these options and waits until it listens.
    void StartServer(const QStringList& options = {}) {
        ASSERT_TRUE(QProcess::startDetached(QStringLiteral(ZUNASRV_PATH), QStringList{QStringLiteral("--no-window")} + options));
        ASSERT_TRUE(QTest::qWaitFor([this] { return Control.Connect(); }, 5000));
    }

    // Ends the server this test started, or the one the station started.
    void StopServer() {
        if (Control.IsConnected() || Control.Connect()) {
            Control.Post(Zuna::ZT_QUIT);
            if (!QTest::qWaitFor([this] { return !Control.IsConnected(); }, 2000))
                ADD_FAILURE() << "zunasrv did not quit";
        }
        Control.Disconnect();
    }

    // Creates the station, keeping the texts of the message boxes it shows.
    void CreateStation() {
        ModalWatcher watcher([this](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                Boxes.append(box->windowTitle() + QLatin1Char('|') + box->text());
        });
        Station = std::make_unique<TMeasurerForm>(*Config, nullptr);
        Station->resize(461, 374);
        Station->show();
    }

    // Asks the server to connect the scales and waits for the station to see them.
    void ConnectScales() {
        Station->RequestConnect();
        ASSERT_TRUE(QTest::qWaitFor([this] { return (Station->LinkState & LINK_SCALES) != 0; }, 5000));
    }

    void SetWeight(int kilograms) {
        Control.Post(Zuna::ZT_SET_WEIGHT, kilograms);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Station->CurrentWeight == kilograms; }, 3000));
    }

    std::unique_ptr<QTemporaryDir> SocketDir;
    QString ConfigPath;
    std::unique_ptr<IniFile> Config;
    TZunaLink Control;
    std::unique_ptr<TMeasurerForm> Station;
    QStringList Boxes;
};

#define STATION_TEST_SUITE(Suite)                                                                                   \
    INSTANTIATE_TEST_SUITE_P(Sqlite, Suite, ::testing::Values(Backend::Sqlite), BackendName)
