#include "platform/controls/CloseUpComboBox.h"

namespace platform {

void CloseUpComboBox::hidePopup() {
    QComboBox::hidePopup();
    emit closedUp();
}

} // namespace platform
