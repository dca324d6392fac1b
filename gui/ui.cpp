#include "gui/ui.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace ort {

void FailureNotice::report(const QString &line)
{
    ++m_count;
    m_text = line;
    emit changed(m_text);
}

void FailureNotice::clear()
{
    // Runs after every successful tick: nothing to do is the common case.
    if (m_text.isEmpty())
        return;
    m_text.clear();
    emit changed(m_text);
}

QMessageBox::StandardButton QtUi::message(QWidget *parent, const MessageRequest &request)
{
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtUi::openFileName(QWidget *parent, const QString &caption, const QString &filter, const QString &folder)
{
    // The log may be a new file, so the dialog must not insist that it exists.
    return QFileDialog::getSaveFileName(parent, caption, folder, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtUi::saveFileName(QWidget *parent, const QString &caption, const QString &filter, const QString &folder)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto useSuffixOf = [&dialog](const QString &nameFilter) {
        static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
        dialog.setDefaultSuffix(firstPattern.match(nameFilter).captured(1));
    };
    useSuffixOf(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useSuffixOf);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace ort
