// zunasrv: a stand-in for the scales server, so the station can be run and tested without weighing hardware.
#include "ServerWindow.h"
#include "ZunaServer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("zunasrv"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in scales server for the Тарвис weighing station."));
    parser.addHelpOption();
    const QCommandLineOption start(QStringLiteral("start"), QStringLiteral("Start with the window minimised."));
    const QCommandLineOption noStatic(QStringLiteral("no-static"), QStringLiteral("Static weighing is not available."));
    const QCommandLineOption autoMode(QStringLiteral("auto"), QStringLiteral("Automatic weighing is available."));
    const QCommandLineOption singleAxle(QStringLiteral("single-axle"), QStringLiteral("Single-axle scales, not a platform."));
    const QCommandLineOption version(QStringLiteral("protocol-version"), QStringLiteral("Answer this protocol version."),
                                     QStringLiteral("n"), QString::number(Zuna::kProtocolVersion));
    const QCommandLineOption delay(QStringLiteral("connect-delay"), QStringLiteral("Milliseconds from connecting to connected."),
                                   QStringLiteral("ms"), QStringLiteral("500"));
    const QCommandLineOption alert(QStringLiteral("alert-weight"), QStringLiteral("Weight (kg) above which it is an alert."),
                                   QStringLiteral("kg"), QStringLiteral("40000"));
    const QCommandLineOption hidden(QStringLiteral("no-window"), QStringLiteral("Show no window (tests)."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions); // the station passes "-start"
    parser.addOptions({start, noStatic, autoMode, singleAxle, version, delay, alert, hidden});
    parser.process(application);

    TZunaServer server;
    server.Settings.Static = !parser.isSet(noStatic);
    server.Settings.Auto = parser.isSet(autoMode);
    server.Settings.Platform = !parser.isSet(singleAxle);
    server.Settings.Version = parser.value(version).toLongLong(nullptr, 0);
    server.Settings.ConnectDelayMs = parser.value(delay).toInt();
    server.Settings.AlertWeight = parser.value(alert).toInt();
    if (!server.Listen()) {
        std::fprintf(stderr, "zunasrv: %s\n", server.ErrorText().toUtf8().constData());
        return 1;
    }

    TServerWindow window(server);
    if (parser.isSet(hidden))
        ; // tests drive it through its control messages
    else if (parser.isSet(start))
        window.showMinimized();
    else
        window.show();
    return application.exec();
}
