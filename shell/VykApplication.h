#pragma once

#include <QApplication>
#include <exception>

// The application object. Qt lets no exception pass through an event handler, so whatever a handler lets
// escape is caught here and shown in the program's error box; the program goes on.
class TVykApplication : public QApplication {
    Q_OBJECT
public:
    TVykApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The error box: caption "Тарвис", the exception's text, an OK button. Also logged.
    static void ShowException(const QString& text);
};
