#include "VYKInterfaceForm.h"

#include "Logger.h"

TVYKInterfaceForm* InterfaceForm = nullptr;

void ReportError(const QString& info, const QString& text) {
    if (InterfaceForm)
        InterfaceForm->ReportError(info, text);
    else
        Logger().Log("%s", (text + QLatin1Char('\n') + info).toUtf8().constData());
}
