#include "VYKInterfaceForm.h"

TVYKInterfaceForm* InterfaceForm = nullptr;
