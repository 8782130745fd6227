#pragma once

#include "platform/grid/HintBalloon.h"

#include <QFont>

// The interface data module: looks shared by every window, such as the
// application-wide hint style (a window's own style takes precedence).
class TInterfaceDM {
public:
    TInterfaceDM();

    platform::HintBalloon::Style hintStyle;
};

// The one instance, created at start-up after the dictionary data module.
TInterfaceDM* interfaceDM();
void setInterfaceDM(TInterfaceDM* dm);
