#include "gui/errors.h"
#include "gui/ui.h"
#include "link/runtimeerror.h"
#include "link/text.h"

#include <QCoreApplication>
#include <QScopeGuard>

namespace ort {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::Errors)
};

// A reason as the component gives it has no full stop of its own.
QString sentence(const QString &text)
{
    if (text.isEmpty() || text.endsWith('.') || text.endsWith('!') || text.endsWith('?'))
        return text;
    return text + QLatin1Char('.');
}
} // namespace

QString operationAbandoned()
{
    return Words::tr("The operation was abandoned.");
}

QString failureWords(std::exception_ptr error)
{
    const RunTimeError e = RunTimeError::from(error);
    const QString text = QString::fromUtf8(e.what());
    switch (e.number()) {
    case RunTimeError::Overflow:
        return Words::tr("A value outside 0 to 255 was to be sent to the chip");
    case RunTimeError::DeviceIo:
        return text;
    default:
        return Words::tr("The program met a fault of its own (%1)").arg(text);
    }
}

MessageRequest failureMessage(const QString &what, const QString &done)
{
    return {productTitle(), sentence(what) + QStringLiteral("\n\n") + done, QMessageBox::Critical, QMessageBox::Ok};
}

QString failureLine(const QString &what, const QString &done)
{
    return sentence(what) + QLatin1Char(' ') + done;
}

bool showFailureBox(Ui &ui, QWidget *parent, const MessageRequest &request)
{
    FailureNotice &failures = ui.failures();
    if (failures.boxOpen())
        return false;
    failures.setBoxOpen(true);
    const auto closed = qScopeGuard([&failures] { failures.setBoxOpen(false); });
    ui.message(parent, request);
    return true;
}

void showFailureBoxLater(Ui &ui, QWidget *parent, const MessageRequest &request, std::function<void()> after)
{
    // Queued on the window: a window closed meanwhile takes its box with it.
    QObject *context = parent ? static_cast<QObject *>(parent) : QCoreApplication::instance();
    QMetaObject::invokeMethod(
        context,
        [&ui, parent, request, after = std::move(after)] {
            showFailureBox(ui, parent, request);
            if (after)
                after();
        },
        Qt::QueuedConnection);
}

void presentFailure(Ui &ui, QWidget *parent, std::exception_ptr error, const QString &done)
{
    const QString what = failureWords(error);
    ui.failures().report(failureLine(what, done));
    showFailureBox(ui, parent, failureMessage(what, done));
}

} // namespace ort
