#pragma once
#include "registers/panelparts.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ort {

// The "Write" panel SSPanel37: a hexadecimal entry Text6 with its write
// button Command4, and a decimal entry Text7 with Command5. A button turns
// red when its own box is edited.
class WritePanel : public CaptionedFrame {
    Q_OBJECT
public:
    explicit WritePanel(QWidget *parent = nullptr);

    QLineEdit *hexBox() const { return m_hexBox; }
    QLineEdit *decimalBox() const { return m_decimalBox; }
    QPushButton *hexButton() const { return m_hexButton; }
    QPushButton *decimalButton() const { return m_decimalButton; }

    // Both boxes and both buttons, for a writable register or not.
    void setEntriesEnabled(bool enabled);
    // Both buttons green: what the boxes show has been written.
    void markWritten();

signals:
    // A write button pressed: 16 for the hexadecimal box, 10 for the decimal.
    void writePressed(int base);

private:
    QLineEdit *m_hexBox;
    QLineEdit *m_decimalBox;
    QPushButton *m_hexButton;
    QPushButton *m_decimalButton;
};

} // namespace ort
