#include "QtPrinters.h"
#include "StationFixture.h"

#include <QTabWidget>
#include <QToolButton>

namespace {

// The weighing logic with a scales link set up by hand: no server, and no polling that would overwrite the weight.
class Weighing : public StationTest {
protected:
    void Prepare(bool canStatic, bool canAuto, bool platform) {
        WriteConfig(QStringLiteral("/nonexistent/zunasrv"), QString());
        CreateStation();
        Station->LinkState = LINK_SERVER | LINK_SCALES;
        Station->CanStatic = canStatic;
        Station->CanAuto = canAuto;
        Station->IsPlatform = platform;
        Station->SetSupportedModes();
        Station->RefreshModes();
        Station->StaticTimer.stop();
    }
    void Weigh(int kilograms) {
        Station->CurrentWeight = kilograms;
        Station->FixTimerTimer(); // the lock-out is over
    }
    QList<int> AxleWeights() const {
        QList<int> weights;
        for (int i = 0; i < Station->Measurement->AxleCount; ++i)
            weights.append(Station->Measurement->AxleWeighings[size_t(i)]->Weight);
        return weights;
    }
    QList<bool> AxleButtonsEnabled() const {
        QList<bool> enabled;
        for (QToolButton* button : Station->AxleButtons)
            enabled.append(button->isEnabled());
        return enabled;
    }
    QList<bool> VisibleTabs() const {
        QList<bool> visible;
        for (int i = 0; i < 6; ++i)
            visible.append(Station->FixPageControl->isTabVisible(i));
        return visible;
    }
};
STATION_TEST_SUITE(Weighing);

} // namespace

TEST_P(Weighing, ModesFollowTheScalesCapabilities) {
    Prepare(true, false, false); // single-axle scales
    EXPECT_EQ(VisibleTabs(), (QList<bool>{true, false, false, false, false, false}));
    Station.reset();
    Prepare(true, true, true); // a platform with automatic weighing
    EXPECT_EQ(VisibleTabs(), (QList<bool>{false, true, true, true, true, false}));
    EXPECT_EQ(Station->FixPageControl->currentWidget(), Station->FixVehicleTabSheet);
    EXPECT_EQ(Station->ModeRequest, 0);
    Station->CurrentWeight = 5000;
    Station->FixPageControl->setCurrentWidget(Station->AutoFixTabSheet); // the operator picks automatic
    EXPECT_EQ(Station->CurrentMode, MODE_AUTO);
    EXPECT_EQ(Station->ModeRequest, 1);
    EXPECT_FALSE(Station->StaticTimer.isActive());
    EXPECT_EQ(Station->CurrentWeight, 0);
    EXPECT_EQ(Station->FixDescLbl->text(), QStringLiteral("автоматическая фиксация веса"));
    Station.reset();
    Prepare(false, false, true); // nothing at all
    EXPECT_EQ(Station->FixPageControl->currentWidget(), Station->InfoTabSheet);
    EXPECT_EQ(Station->InfoLbl->text(), QStringLiteral("Не доступен ни один режим измерения."));
}

TEST_P(Weighing, SingleAxleScalesWeighAxleByAxle) {
    Prepare(true, false, false);
    for (int weight : {6000, 7000, 7500}) {
        Weigh(weight);
        ASSERT_TRUE(Station->FixAxisBtn->isEnabled());
        Station->FixAxisBtnClick();
        EXPECT_FALSE(Station->FixAxisBtn->isEnabled()); // locked out for 1500 ms
        EXPECT_TRUE(Station->FixTimer.isActive());
        EXPECT_EQ(Station->FixTimer.interval(), 1500);
        EXPECT_EQ(Station->SaveBtn->isEnabled(), Station->Measurement->AxleCount > 1);
        EXPECT_TRUE(Station->ResetBtn->isEnabled());
    }
    EXPECT_EQ(Station->Measurement->Type, WEIGHING_AXLE);
    EXPECT_EQ(AxleWeights(), (QList<int>{6000, 7000, 7500}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Station->Measurement->AxleWeighings[size_t(i)]->Num, i + 1);
    EXPECT_EQ(Station->Measurement->VehicleWeighing->Weight, 20500);
    EXPECT_EQ(Count(QStringLiteral("weighs"), QStringLiteral("msr_id is null")), 3); // stored when fixed

    Weigh(0); // nothing on the scales: nothing can be fixed
    EXPECT_FALSE(Station->FixAxisBtn->isEnabled());
    Weigh(-20);
    EXPECT_FALSE(Station->FixAxisBtn->isEnabled());
}

TEST_P(Weighing, NoTenthAxle) {
    Prepare(true, false, false);
    for (int i = 0; i < 9; ++i) {
        Weigh(5000 + i);
        Station->FixAxisBtnClick();
    }
    Weigh(5000);
    EXPECT_EQ(Station->Measurement->AxleCount, 9);
    EXPECT_FALSE(Station->FixAxisBtn->isEnabled());
    EXPECT_EQ(AxleButtonsEnabled(), QList<bool>(9, false));
}

TEST_P(Weighing, AxleGroupWalkThrough) {
    Prepare(true, false, true);
    Station->FixPageControl->setCurrentWidget(Station->FixAxesTabSheet);
    ASSERT_EQ(Station->CurrentMode, MODE_AXLES);
    Weigh(6000); // first axle on
    EXPECT_EQ(AxleButtonsEnabled(), (QList<bool>{true, false, false, false, false, false, false, false, false}));
    Station->AxesBtnClick(0);
    Weigh(13000); // second axle on
    EXPECT_EQ(AxleButtonsEnabled(), (QList<bool>{true, true, false, false, false, false, false, false, false}));
    Station->AxesBtnClick(0);
    EXPECT_EQ(Station->OnScales[0], 13000);
    EXPECT_EQ(Station->OnScales[1], 7000);
    Weigh(14500); // first axle off, third on
    Station->AxesBtnClick(1);
    EXPECT_EQ(AxleWeights(), (QList<int>{6000, 7000, 7500}));
    EXPECT_EQ((QList<int>{Station->OnScales[0], Station->OnScales[1], Station->OnScales[2], Station->OnScales[3]}),
              (QList<int>{20500, 14500, 7500, 0}));
    Weigh(15000);
    EXPECT_FALSE(Station->AxleButtons[0]->isEnabled()); // an axle that left cannot come back
    EXPECT_TRUE(Station->AxleButtons[2]->isEnabled());
    EXPECT_EQ(Station->Measurement->VehicleWeighing->Weight, 20500);

    Station->CurrentWeight = 7000; // the weight fell below what button 1 assumes on the scales
    Station->AxesBtnClick(1);
    EXPECT_EQ(Station->Measurement->AxleCount, 3);
    EXPECT_EQ(VisibleTabs(), (QList<bool>{false, false, true, false, false, false})); // locked to the mode
}

TEST_P(Weighing, BogiesAndTheSeventhOne) {
    Prepare(true, false, true);
    Station->FixPageControl->setCurrentWidget(Station->FixBogieTabSheet);
    Weigh(17005);
    Station->BogieAxBtnClick(1);
    Weigh(8000);
    Station->BogieAxBtnClick(0);
    EXPECT_EQ(Station->Measurement->VehicleWeighing->Weight, 25005);
    EXPECT_EQ(AxleWeights(), (QList<int>{8502, 8502, 8000}));
    EXPECT_TRUE(Station->SaveBtn->isEnabled());
    for (int i = 0; i < 4; ++i) {
        Weigh(1000);
        Station->BogieAxBtnClick(0);
    }
    Weigh(1000);
    EXPECT_EQ(Station->Measurement->AxleCount, 7);
    // with seven axles counted only the one- and two-axle bogies fit, and the bar over the third is grey
    EXPECT_TRUE(Station->BogieButtons[0]->isEnabled());
    EXPECT_TRUE(Station->BogieButtons[1]->isEnabled());
    EXPECT_FALSE(Station->BogieButtons[2]->isEnabled());
    const auto* bar = static_cast<TShape*>(Station->BogieBars[2]);
    EXPECT_EQ(bar->ShapeBrush().color(), Station->palette().color(QPalette::Disabled, QPalette::WindowText));
    EXPECT_EQ(static_cast<TShape*>(Station->BogieBars[0])->ShapeBrush().color(), QColor(0, 0, 0));

    Station->BogieAxBtnClick(0); // the seventh bogie: stored, but not part of the measurement
    EXPECT_EQ(Station->Measurement->BogieCount, 6);
    EXPECT_EQ(Count(QStringLiteral("weighs"), QStringLiteral("type = 2")), 7);
}

TEST_P(Weighing, SavePostsOneJournalEventAndLeavesTheStationIdle) {
    Prepare(true, false, true);
    Weigh(41000);
    Station->FixVehicleBtnClick();
    EXPECT_FALSE(Station->FixVehicleBtn->isEnabled());
    Weigh(41000);
    EXPECT_FALSE(Station->FixVehicleBtn->isEnabled()); // one fixation completes the whole vehicle
    EXPECT_TRUE(Station->SaveBtn->isEnabled());
    Station->SaveBtn->click();
    EXPECT_EQ(Form.Events, QList<quintptr>{100 | (2 << 16)});
    EXPECT_EQ(Count(QStringLiteral("measure")), 1);
    EXPECT_EQ(Count(QStringLiteral("weighs"), QStringLiteral("msr_id = 1")), 1);
    EXPECT_EQ(Station->MeasuringMode, -1);
    EXPECT_FALSE(Station->SaveBtn->isEnabled());
    EXPECT_FALSE(Station->ResetBtn->isEnabled());
    EXPECT_EQ(Station->FixPageControl->currentWidget(), Station->FixVehicleTabSheet);
    EXPECT_EQ(Station->Measurement->Type, 0);
}

TEST_P(Weighing, FailedSaveKeepsTheMeasurementAndAnnouncesNothing) {
    Prepare(true, false, true);
    Weigh(41000);
    Station->FixVehicleBtnClick();
    Run(QStringLiteral("DROP TABLE measure"));
    EXPECT_THROW(Station->SaveMeasurement(), Exception);
    EXPECT_TRUE(Form.Events.isEmpty());
    EXPECT_EQ(Station->MeasuringMode, MODE_VEHICLE);
    EXPECT_TRUE(Station->SaveBtn->isEnabled());
}

TEST_P(Weighing, ResetWhileTheLinkIsDownKeepsTheStatusPage) {
    Prepare(true, false, true);
    Weigh(30000);
    Station->FixVehicleBtnClick();
    Station->LinkState = LINK_SERVER;
    Station->RefreshModes();
    EXPECT_EQ(Station->FixPageControl->currentWidget(), Station->InfoTabSheet);
    Station->ResetBtn->click();
    EXPECT_EQ(Station->FixPageControl->currentWidget(), Station->InfoTabSheet);
    EXPECT_EQ(Station->MeasuringMode, -1);
    EXPECT_FALSE(Station->Measurement->VehicleWeighing);
}

TEST_P(Weighing, EndToEndWithTheRealServer) {
    CreateStation(); // starts zunasrv
    ASSERT_EQ(Station->LinkState, LINK_SERVER);
    ASSERT_TRUE(Control.Connect());
    ConnectScales();
    Station->FixPageControl->setCurrentWidget(Station->FixAxesTabSheet);
    int axle = 0;
    for (int weight : {6000, 13000, 14500, 15500, 16000}) { // a five-axle lorry on a two-axle platform
        SetWeight(weight);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Station->AxleButtons[size_t(axle)]->isEnabled(); }, 3000));
        Station->AxleButtons[size_t(axle)]->click();
        axle = std::max(0, Station->Measurement->AxleCount - 1);
    }
    EXPECT_EQ(Station->Measurement->AxleCount, 5);
    Station->SaveBtn->click();
    EXPECT_EQ(Count(QStringLiteral("measure")), 1);
    EXPECT_EQ(Count(QStringLiteral("weighs"), QStringLiteral("msr_id = 1 and type = 3")), 5);
    EXPECT_EQ(Value(QStringLiteral("select weight from weighs where type = 1")).toInt(), 6000 + 7000 + 7500 + 8000 + 8000);
}
