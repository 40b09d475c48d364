#pragma once

#include <QEvent>
#include <QtGlobal>

// Windows never call each other to announce a change: they post form events through the main window's form
// services. An event word carries the event code in its low 16 bits and the event argument (a flag or a type
// code) in its high 16 bits; the event object is an entity or nothing.
constexpr quint32 WM_FORM_EVENT = 0x480;

constexpr quint16 EVENT_ENTITY_CHANGED = 100;  // argument: type code of the entity class whose table changed
constexpr quint16 EVENT_ENTITY_SELECTED = 101; // argument: 1; object: the entity loaded with the chosen row
constexpr quint16 EVENT_EDITOR_CLOSED = 102;   // argument: 1 saved, 0 cancelled; object: the entity edited

constexpr quintptr MakeEventWord(quint16 code, quint16 argument) {
    return quintptr(code) | (quintptr(argument) << 16);
}

// An event record laid out like a window message; PostEvent reads only WParam and LParam.
struct TMessage {
    quint32 Msg = WM_FORM_EVENT;
    quintptr WParam = 0;
    void* LParam = nullptr;
    qintptr Result = 0;
};

// WM_FORM_EVENT as a Qt event, delivered to a subscriber's customEvent().
class TFormEvent : public QEvent {
public:
    static QEvent::Type EventType() { return QEvent::Type(QEvent::User + WM_FORM_EVENT); }

    TFormEvent(quintptr wParam, void* lParam) : QEvent(EventType()), WParam(wParam), LParam(lParam) {}

    quint16 Code() const { return quint16(WParam & 0xFFFF); }
    quint16 Argument() const { return quint16((WParam >> 16) & 0xFFFF); }

    const quintptr WParam;
    void* const LParam;
};
