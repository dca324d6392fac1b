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
    m_welcome->setText(QStringLiteral("This ") + ChipName + QStringLiteral(" Search Wizard will ") +
                       QStringLiteral("find any ") + ChipName +
                       QStringLiteral("s that can be controlled by this software"));
    m_instructions->setText(QStringLiteral("Click 'Next' to start."));
}

} // namespace ort
