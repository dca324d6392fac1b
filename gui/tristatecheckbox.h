#pragma once
#include <QCheckBox>

namespace ort {

// A check box with the program's three values: 0 off, 1 on, 2 greyed; "on"
// is exactly 1. valueChanged runs on every change of value, whether a click
// or the program made it, so a handler connected to it runs in both cases,
// at once, before setValue returns. A click only ever moves between off and
// on; greyed is the program's to set.
class TriStateCheckBox : public QCheckBox {
    Q_OBJECT
public:
    static constexpr int Off = 0;
    static constexpr int On = 1;
    static constexpr int Greyed = 2;

    explicit TriStateCheckBox(QWidget *parent = nullptr);
    explicit TriStateCheckBox(const QString &text, QWidget *parent = nullptr);

    int value() const;
    // Values other than 0, 1 and 2 are refused; the same value again runs nothing.
    void setValue(int value);
    bool isOn() const { return value() == On; }

signals:
    void valueChanged(int value);

protected:
    void nextCheckState() override;
};

} // namespace ort
