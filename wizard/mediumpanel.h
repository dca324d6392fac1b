#pragma once
#include "gui/settings.h"
#include "wizard/wizardpanel.h"

class QCheckBox;
class QComboBox;
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
    // The SMBus adapter for the search and for Finish: the one chosen in
    // the list where the machine offers several, then the one at a base
    // address the user typed, when one is there; a base left as shown
    // changes nothing.
    void useChosenSmbusAdapter(SmbusHost &smbus);

    // The media and adapter of an earlier search, ticked and chosen as the
    // user did then, where the machine still offers them.
    void preselect(const Settings::WizardChoice &choice);
    Settings::WizardChoice choice() const;

private:
    void offerAdapters(SmbusHost &smbus);

    QCheckBox *m_ppCheck;
    QCheckBox *m_smbusCheck;
    QCheckBox *m_usbCheck;
    QLabel *m_ppDesc;
    QLabel *m_smbusDesc;
    QLabel *m_usbDesc;
    QLineEdit *m_smbusBase;
    QComboBox *m_adapters;   // shown only where there is a choice
    QLabel *m_instructions;
    QString m_shownSmbusBase;   // as the program last set it
};

} // namespace ort
