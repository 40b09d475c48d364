#include "IniFile.h"
#include "MainForm.h"
#include "MeasurerForm.h"
#include "VykApplication.h"

int main(int argc, char** argv) {
    TVykApplication application(argc, argv);
    try {
        TMainForm mainForm;
        // The station comes second: it reads the main window's config.ini and needs the symbol font.
        TMeasurerForm station(*mainForm.ConfigIni, mainForm.MainMenuRef);
        mainForm.Station = &station;
        mainForm.show();
        application.exec();
    } catch (const std::exception& error) {
        TVykApplication::ShowException(QString::fromUtf8(error.what()));
    }
    return 0;
}
