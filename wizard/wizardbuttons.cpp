#include "wizard/wizardbuttons.h"
#include "gui/twips.h"

#include <QKeyEvent>
#include <QPushButton>

namespace ort {

WizardButtons::WizardButtons(QWidget *form) : QObject(form)
{
    auto button = [form](const char *name, const QString &text, int x, int width) {
        auto *placed = new QPushButton(text, form);
        placed->setObjectName(name);
        placed->setGeometry(twipsRect(form, x, 3000, width, 375));
        return placed;
    };
    m_cancel = button("CancelCMD", tr("Cancel"), 240, 1215);
    m_back = button("BackCMD", tr("< Back"), 1920, 1215);
    m_next = button("NextCMD", tr("Next >"), 3120, 1215);
    m_finish = button("FinishCMD", tr("Finish"), 4800, 1095);
    m_back->setEnabled(false);
    m_finish->setEnabled(false);
    setForward(m_next);
    // The window opens with the focus on Next, not on the first button.
    m_next->setFocus();
}

void WizardButtons::setForward(QPushButton *forward)
{
    // Marked as the default button for the look, but pressed here: outside
    // a dialog autoDefault drops a button's default role when it loses the
    // focus.
    for (QPushButton *b : all())
        b->setDefault(b == forward);
}

bool WizardButtons::handleKey(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (!plain)
        return false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        for (QPushButton *b : all())
            if (b->hasFocus() && b->isEnabled()) {
                b->click();
                return true;
            }
        for (QPushButton *b : all())
            if (b->isDefault() && b->isEnabled()) {
                b->click();
                return true;
            }
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        if (m_cancel->isEnabled())
            m_cancel->click();
        return true;
    }
    return false;
}

} // namespace ort
