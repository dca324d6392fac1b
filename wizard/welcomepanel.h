#pragma once
#include "wizard/wizardpanel.h"

namespace ort {

// Panel 1: what the wizard is for, and how to go on.
class WelcomePanel : public WizardPanel {
    Q_OBJECT
public:
    explicit WelcomePanel(QWidget *form);
    void SetupWelcomePanel();

private:
    QLabel *m_welcome;
    QLabel *m_instructions;
};

} // namespace ort
