#include "shell/errors.h"
#include "shell/ui.h"

#include <QCoreApplication>

namespace ort {

namespace {
bool g_boxOpen = false;
}

QString runTimeErrorText(const RunTimeError &error)
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(QString::fromStdString(error.what()));
}

bool errorBoxOpen()
{
    return g_boxOpen;
}

void presentRunTimeError(Ui &ui, QWidget *parent, std::exception_ptr error)
{
    const RunTimeError e = RunTimeError::from(error);
    if (g_boxOpen)
        return;
    g_boxOpen = true;
    struct Reset {
        ~Reset() { g_boxOpen = false; }
    } reset;
    MessageRequest request;
    request.title = QStringLiteral("ORT310 Evaluation Software");
    request.text = runTimeErrorText(e);
    request.icon = QMessageBox::Critical;
    ui.message(parent, request);
}

} // namespace ort
