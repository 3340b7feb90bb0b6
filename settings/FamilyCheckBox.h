#pragma once
// A family box of the exclusion list: grey (some of the family's extensions
// listed) is a value only code sets. A user's click ticks an unticked or grey
// box and unticks a ticked one; it never makes it grey.

#include <QCheckBox>

namespace settings {

class FamilyCheckBox final : public QCheckBox {
    Q_OBJECT
public:
    explicit FamilyCheckBox(QWidget* parent = nullptr) : QCheckBox(parent) { setTristate(true); }

protected:
    void nextCheckState() override
    {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

} // namespace settings
