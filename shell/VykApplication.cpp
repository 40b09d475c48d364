#include "VykApplication.h"

#include "Logger.h"

#include <QMessageBox>

TVykApplication::TVykApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Тарвис"));
}

bool TVykApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowException(QStringLiteral("Неизвестная ошибка."));
    }
    return false;
}

void TVykApplication::ShowException(const QString& text) {
    Logger().Log("%s", text.toUtf8().constData());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Тарвис"), text, QMessageBox::Ok);
    box.exec();
}
