#pragma once

#include <QComboBox>

namespace tropolink::planner {

// A combo box of the form: the wheel changes it only once it has focus (else
// the wheel scrolls the form), and assistive technology reads it by its own
// accessible name, with the current choice as its value.
class FlagCombo : public QComboBox {
    Q_OBJECT
public:
    explicit FlagCombo(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

}  // namespace tropolink::planner
