#pragma once
#include "registers/panelparts.h"

class QLabel;

namespace ort {

// The register information panel SSPanel13: the type and address of the
// selected register, and the values last read from it and written to it.
class RegisterInfoPanel : public CaptionedFrame {
    Q_OBJECT
public:
    explicit RegisterInfoPanel(QWidget *parent = nullptr);

    QLabel *typeName() const { return m_type; }           // Label6
    QLabel *address() const { return m_address; }         // Label9
    QLabel *readHex() const { return m_readHex; }         // Label16
    QLabel *readDecimal() const { return m_readDec; }     // Label2
    QLabel *writtenHex() const { return m_writtenHex; }   // Label12
    QLabel *writtenDecimal() const { return m_writtenDec; }   // Label20

private:
    QLabel *m_type, *m_address, *m_readHex, *m_readDec, *m_writtenHex, *m_writtenDec;
};

} // namespace ort
