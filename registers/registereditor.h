#pragma once
#include <QObject>
#include <cstdint>
#include <optional>

class QTimer;
class QWidget;

namespace ort {

struct Services;
class BitPanel;
class RegisterInfoPanel;
class RegisterSelectorPanel;
class WritePanel;

// The register editor of the "Read/Write" tab: what its panels do with the
// chip. It owns the continuous-reading timer Timer3 and works on the shared
// editor state; every handler runs guarded, so a failed transfer shows one
// box and abandons that operation.
class RegisterEditor : public QObject {
    Q_OBJECT
public:
    struct Panels {
        RegisterSelectorPanel &selector;
        BitPanel &bits;
        WritePanel &write;
        RegisterInfoPanel &info;
    };
    // `page` holds the panels; boxes are shown over it and Timer3 lives
    // under it.
    RegisterEditor(Services &services, QWidget &page, const Panels &panels);

    void SelectRegister(int row);
    void ShowRegister();
    void ShowBitNames(int address);
    void ToggleBit(int bit);
    // 16 for the hexadecimal box (Command4), 10 for the decimal (Command5).
    void WriteTypedValue(int base);
    void SSRibbon5_Click(bool down);
    void Timer3_Timer();
    void ResetEditor();

    QTimer &Timer3() { return *m_continuousTimer; }

signals:
    // Whether the chip is in standby, as every redraw reads it: for the
    // standby indicator that the measurement controls own.
    void standbyShown(bool standby);

private:
    bool refuseEntry(bool hex, std::optional<int64_t> value);
    void continuousOff();

    Services &m_services;
    QWidget &m_page;
    Panels m_panels;
    QTimer *m_continuousTimer;
};

} // namespace ort
