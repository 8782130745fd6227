#pragma once

#include "platform/grid/HintBalloon.h"

#include <QFont>

// The interface data module: looks shared by every window (the caption font
// of layout items, the application-wide hint style).
class TInterfaceDM {
public:
    TInterfaceDM();

    QFont layoutCaptionFont;
    platform::HintBalloon::Style hintStyle;
};

// The one instance, created at start-up after the dictionary data module.
TInterfaceDM* interfaceDM();
void setInterfaceDM(TInterfaceDM* dm);
