#include "wizard/initform.h"
#include "shell/program.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace ort {

InitForm::InitForm(Program &program) : QWidget(nullptr), m_program(program)
{
    setObjectName("InitForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Velmora Device Search"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("The device search is not available yet."), this));
}

void InitForm::Form_Load()
{
    setWindowTitle(QStringLiteral("ORT310 Search Wizard"));
}

void InitForm::closeEvent(QCloseEvent *event)
{
    if (!m_finishing) {
        m_program.windowUnloaded(this);
        m_program.unloadAllWindows();
    }
    event->accept();
}

} // namespace ort
