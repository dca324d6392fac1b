#pragma once
#include "wizard/wizardpanel.h"

class QCheckBox;
class QLineEdit;

namespace ort {

class SmbusHost;
class SystemInfo;
class Ui;

// Panel 2: which media the search runs on. At load it offers only what the
// platform allows, greys out the rest with the reason, and shows the SMBus
// host's base address; before a search it refuses an empty choice.
class MediumPanel : public WizardPanel {
    Q_OBJECT
public:
    explicit MediumPanel(QWidget *form);

    void SetupMediumPanel(SystemInfo &systemInfo, SmbusHost &smbus);
    bool ValidateMediumSelection(Ui &ui);

    bool printerPortChosen() const;
    bool smbusChosen() const;
    bool usbChosen() const;
    // A base address the user typed picks the host controller at that
    // address for the search and for Finish; left as shown, nothing changes.
    void useTypedSmbusBase(SmbusHost &smbus);

private:
    QCheckBox *m_ppCheck;
    QCheckBox *m_smbusCheck;
    QCheckBox *m_usbCheck;
    QLabel *m_ppDesc;
    QLabel *m_smbusDesc;
    QLabel *m_usbDesc;
    QLineEdit *m_smbusBase;
    QLabel *m_instructions;
    QString m_shownSmbusBase;   // as the program set it at load
};

} // namespace ort
