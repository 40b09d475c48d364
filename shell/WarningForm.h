#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

// The abnormal-situation window: a message and its context, shown modally until the operator closes it.
class TWarningForm : public QDialog {
    Q_OBJECT
public:
    explicit TWarningForm(QWidget* parent = nullptr);

    // Shows the message modally and returns once the operator closed it. A message that arrives while the
    // window is already open (from inside its modal loop) is queued and shown as soon as the current one is
    // closed; that call returns at once.
    void Present(const QString& message, const QString& info);

    // How many messages wait behind the one shown.
    qsizetype Pending() const { return Queue.size(); }

    QFrame* Shape1;
    QLabel* ExclamationMarkLbl;
    QFrame* Shape2;
    QLabel* MessageLbl;
    QFrame* Shape3;
    QLabel* InfoLbl;
    QPushButton* CloseBtn;

private:
    struct Warning {
        QString Message;
        QString Info;
    };
    QList<Warning> Queue;
    bool Showing = false;
};
