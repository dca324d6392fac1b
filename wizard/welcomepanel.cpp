#include "wizard/welcomepanel.h"
#include "link/text.h"

#include <QLabel>

namespace ort {

WelcomePanel::WelcomePanel(QWidget *form) : WizardPanel(form, "WelcomePanel")
{
    m_welcome = placeLabel("WelcomeLBL", {120, 240, 4335, 1200}, true);
    QFont f = m_welcome->font();
    f.setPointSizeF(f.pointSizeF() * 1.2);
    m_welcome->setFont(f);
    m_instructions = placeLabel("WelcomeInstructionsLBL", {120, 2400, 4335, 300}, false);
}

void WelcomePanel::SetupWelcomePanel()
{
    m_welcome->setText(
        tr("This %1 Search Wizard will find any %1s that can be controlled by this software").arg(ChipName));
    m_instructions->setText(tr("Click 'Next' to start."));
}

} // namespace ort
