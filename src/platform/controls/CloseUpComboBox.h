#pragma once

#include <QComboBox>

namespace platform {

// A drop-down list that reports every closing of its list, whether or not
// the choice changed.
class CloseUpComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void hidePopup() override;

signals:
    void closedUp();
};

} // namespace platform
