#include "gui/errors.h"
#include "gui/ui.h"
#include "link/text.h"

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

bool showFailureBox(Ui &ui, QWidget *parent, const MessageRequest &request)
{
    // The box runs its own event loop: a timer or a click may fail again
    // while it is open, and must not stack a second box on the first.
    if (g_boxOpen)
        return false;
    g_boxOpen = true;
    struct Reset {
        ~Reset() { g_boxOpen = false; }
    } reset;
    ui.message(parent, request);
    return true;
}

void presentRunTimeError(Ui &ui, QWidget *parent, std::exception_ptr error)
{
    const RunTimeError e = RunTimeError::from(error);
    MessageRequest request;
    request.title = ProductName;
    request.text = runTimeErrorText(e);
    request.icon = QMessageBox::Critical;
    showFailureBox(ui, parent, request);
}

} // namespace ort
