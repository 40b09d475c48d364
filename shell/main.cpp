#include "MainForm.h"
#include "VykApplication.h"

int main(int argc, char** argv) {
    TVykApplication application(argc, argv);
    try {
        TMainForm mainForm;
        // The weighing station window is created here, after the main window whose configuration it reads.
        mainForm.show();
        application.exec();
    } catch (const std::exception& error) {
        TVykApplication::ShowException(QString::fromUtf8(error.what()));
    }
    return 0;
}
