#pragma once

#include "FormEvent.h"

#include <QMainWindow>
#include <QString>

// The services through which the program's windows reach each other without knowing each other: the
// configuration folder, a publish/subscribe channel of form events, error reporting, and docking of forms into
// the workspace. The main window implements them; everything else calls them through InterfaceForm.
class TVYKInterfaceForm : public QMainWindow {
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

    // The configuration folder as configured (config.ini, database/, dicts/, reports/ are appended to it).
    virtual QString GetConfigDir() const = 0;
    // code 0 subscribes to every event.
    virtual void Subscribe(QObject* receiver, qint16 code) = 0;
    // code 0 removes every subscription of the receiver.
    virtual void Unsubscribe(QObject* receiver, qint16 code) = 0;
    virtual void ReplaceSubscriber(QObject* oldReceiver, QObject* newReceiver) = 0;
    // Posts the event to every subscriber of its code and of code 0; they act after the caller has returned.
    virtual void PostEvent(const TMessage& event) = 0;
    // Logs text, a line feed and info; a non-empty text is also shown in the abnormal-situation window.
    // info: the details followed by "\n@ " and the reporting Class::Method.
    virtual void ReportError(const QString& info, const QString& text) = 0;
    virtual void DockForm(QWidget* form, bool topLevel) = 0;
    virtual void UndockForm(QWidget* form) = 0;
};

// The main window's form services; null before it is created and after it is destroyed.
extern TVYKInterfaceForm* InterfaceForm;

// ReportError of the form services; without a main window (tools, tests) the report only goes to the log.
void ReportError(const QString& info, const QString& text);
