#include "Entity.h"

#include "VYKInterfaceForm.h"

void TVisualEntity::NotifyChanged(quint16 code, quint16 flag) {
    if (!InterfaceForm)
        return;
    TMessage event;
    event.WParam = MakeEventWord(code, flag);
    event.LParam = this;
    InterfaceForm->PostEvent(event);
}
