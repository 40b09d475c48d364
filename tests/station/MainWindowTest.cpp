#include "MainForm.h"
#include "ProgramFolder.h"
#include "QtPrinters.h"
#include "StationFixture.h"

#include <QMenuBar>

namespace {
class MainWindowStation : public StationTest {};
STATION_TEST_SUITE(MainWindowStation);
} // namespace

TEST_P(MainWindowStation, DocksTheStationBelowTheNavigatorAndConnectsTheScales) {
    ProgramFolder folder;
    folder.CreateDatabase();
    folder.WriteFile(QStringLiteral("config/config.ini"),
                     "[zuna]\nserver=" + QByteArray(ZUNASRV_PATH) + "\nrunparam=-start --no-window\n");
    ModalWatcher none;
    auto mainForm = std::make_unique<TMainForm>(folder.Path());
    Station = std::make_unique<TMeasurerForm>(*mainForm->ConfigIni, mainForm->MainMenuRef);
    mainForm->Station = Station.get();
    const qint64 created = Station->WindowHandle();

    QStringList menus;
    for (QAction* action : mainForm->FMainMenu->actions())
        menus.append(action->text());
    EXPECT_EQ(menus, (QStringList{QStringLiteral("Весы"), QStringLiteral("Оформление"), QStringLiteral("Помощь")}));

    mainForm->show(); // the real main window offers the form services from here on
    QTest::qWait(50);
    EXPECT_EQ(Station->parentWidget(), mainForm.get());
    EXPECT_EQ(mainForm->dockWidgetArea(Station.get()), Qt::LeftDockWidgetArea);
    EXPECT_FALSE(Station->isFloating());
    EXPECT_TRUE(Station->isVisible());
    EXPECT_NE(Station->WindowHandle(), created); // re-parented: a new handle, announced to the server
    EXPECT_EQ(Station->LastHandle, Station->WindowHandle());
    EXPECT_GT(Station->y(), mainForm->LeftPanel->y()); // below the navigator
    EXPECT_TRUE(QTest::qWaitFor([this] { return (Station->LinkState & LINK_SCALES) != 0; }, 5000));

    Station.reset(); // as at exit: the station goes first, then the main window
    mainForm.reset();
    EXPECT_EQ(mainForm, nullptr);
}
