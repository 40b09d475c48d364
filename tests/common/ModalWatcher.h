#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the modal windows that code under test opens: each time one is up, onModal sees it, then it is
// closed (rejected). Lives for one scope.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> onModal = {}) : OnModal(std::move(onModal)) {
        QObject::connect(&Timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            ++Count;
            if (OnModal)
                OnModal(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
                dialog->reject();
        });
        Timer.start(5);
    }

    int Count = 0;

private:
    std::function<void(QWidget*)> OnModal;
    QTimer Timer;
};
