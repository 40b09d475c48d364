#include "Entity.h"

#include "DictConfig.h"
#include "VYKInterfaceForm.h"

TVisualEntity::TVisualEntity() = default;

TVisualEntity::~TVisualEntity() {
    // Every kind's hook is empty, so the base version the destructor reaches is the one that matters.
    ReleaseHook();
    Config.reset();
}

TDictConfig* TVisualEntity::DictConfig() {
    if (!Config)
        Config = CreateDictConfig();
    return Config.get();
}

void TVisualEntity::NotifyChanged(quint16 code, quint16 flag) {
    if (!InterfaceForm)
        return;
    TMessage event;
    event.WParam = MakeEventWord(code, flag);
    event.LParam = this;
    InterfaceForm->PostEvent(event);
}
