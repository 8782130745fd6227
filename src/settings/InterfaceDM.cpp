#include "settings/InterfaceDM.h"

namespace {
TInterfaceDM* g_interfaceDM = nullptr;
}

TInterfaceDM::TInterfaceDM() {
    hintStyle.font = QFont(QStringLiteral("Segoe UI"), 10);
    hintStyle.cornerRadius = 6;
}

TInterfaceDM* interfaceDM() {
    return g_interfaceDM;
}

void setInterfaceDM(TInterfaceDM* dm) {
    g_interfaceDM = dm;
}
