#include "log/logpanel.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "gui/tristatecheckbox.h"
#include "gui/twips.h"
#include "log/logrecord.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace ort {

namespace {
QString loggingCaption()
{
    return LogPanel::tr("Logging to File");
}

QString notLoggingCaption()
{
    return LogPanel::tr("Not Logging to File");
}
constexpr double LongestDelay = 3600;
// Past this many records the "on" state is put in force again and logging
// goes on: the count only informs, and a day's monitoring may pass it.
constexpr qint64 CountReapply = 1000000;
} // namespace

LogPanel::LogPanel(Services &services, QWidget *parent)
    : Panel3D(tr("Log to File"), parent), m_services(services)
{
    setObjectName("SSPanel10");
    setCaptionAlignment(Qt::AlignTop | Qt::AlignHCenter);
    // Disabled captions in the darker grey that reads on the panel's face.
    QPalette greyed = palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        greyed.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    setPalette(greyed);

    m_makeLog = new QPushButton(tr("Make New Log"), this);
    m_makeLog->setObjectName("MakeLog_CMD");
    m_loggingBox = new TriStateCheckBox(notLoggingCaption(), this);
    m_loggingBox->setObjectName("Check3");
    m_loggingBox->setValue(TriStateCheckBox::Greyed);
    m_loggingBox->setEnabled(false);
    m_delayCaption = new QLabel(tr("Delay(Sec):"), this);
    m_delayCaption->setObjectName("Label15");
    m_delayBox = new QLineEdit(QStringLiteral("5"), this);
    m_delayBox->setObjectName("Text1");
    m_delayBox->setAlignment(Qt::AlignRight);
    m_delayBox->setFixedWidth(twips(this, 700));
    m_delayBox->installEventFilter(this);
    m_loggedCaption = new QLabel(tr("Logged:"), this);
    m_loggedCaption->setObjectName("Label7");
    m_loggedCaption->setEnabled(false);
    m_recordCount = new QLabel(QStringLiteral("0"), this);
    m_recordCount->setObjectName("Label14");
    m_recordCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A fixed size: the count changes on every record, and a label whose
    // size may change lays the whole window out again each time.
    m_recordCount->setFixedSize(fontMetrics().horizontalAdvance(QStringLiteral(" 0000000000")),
                            m_recordCount->sizeHint().height());
    m_linesCaption = new QLabel(tr("Lines"), this);
    m_linesCaption->setObjectName("Label13");
    m_linesCaption->setEnabled(false);
    m_delayCaption->setBuddy(m_delayBox);
    // The count is read out with its caption.
    m_loggedCaption->setBuddy(m_recordCount);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(twips(this, 90), fontMetrics().height() + twips(this, 60), twips(this, 90),
                             twips(this, 60));
    grid->setVerticalSpacing(twips(this, 60));
    grid->addWidget(m_makeLog, 0, 0, 1, 2);
    grid->addWidget(m_loggingBox, 0, 2, 1, 3);
    grid->addWidget(m_delayCaption, 1, 0);
    grid->addWidget(m_delayBox, 1, 1);
    grid->addWidget(m_loggedCaption, 1, 2, Qt::AlignRight);
    grid->addWidget(m_recordCount, 1, 3);
    grid->addWidget(m_linesCaption, 1, 4);
    grid->setColumnStretch(4, 1);

    connect(m_makeLog, &QPushButton::clicked, this, [this] {
        runGuarded(m_services.ui, window(), [this] { MakeLog_CMD_Click(); });
    });
    connect(m_loggingBox, &TriStateCheckBox::valueChanged, this, [this] { Check3_Click(); });
    connect(m_delayBox, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
}

void LogPanel::MakeLog_CMD_Click()
{
    // Each step goes on whatever the one before it did; a file that cannot
    // be written shows at the first record.
    Settings &settings = m_services.settings;
    QString chosen = m_services.ui.openFileName(window(), tr("Make New Log"),
                                                tr("Excel Files (*.xls)"), settings.folder(Settings::Folder::Log));
    if (chosen.isEmpty())
        return;
    settings.rememberFolderOf(Settings::Folder::Log, chosen);
    // A name typed without an extension gets the one the dialog offers;
    // another extension is still refused below.
    if (!QFileInfo(chosen).fileName().contains(QLatin1Char('.')))
        chosen += QStringLiteral(".xls");
    m_file.setName(chosen);
    if (!chosen.endsWith(QStringLiteral(".xls"), Qt::CaseSensitive)) {
        MessageRequest request;
        request.title = tr("There was a Problem!");
        request.text = tr("Either an invalid filename or no file was selected, no settings were loaded.");
        request.icon = QMessageBox::Warning;
        m_services.ui.message(window(), request);
        m_file.forget();
        showLoggingOff();
        m_makeLog->setEnabled(true);
        return;
    }
    m_loggingBox->setEnabled(true);
    m_loggingBox->setValue(TriStateCheckBox::On);
    m_makeLog->setEnabled(false);
    try {
        m_file.append(m_file.hasContent() ? logRestartMarker() : logHeader());
    } catch (const LogFileError &) {
    }
}

void LogPanel::Check3_Click()
{
    try {
        switch (m_loggingBox->value()) {
        case TriStateCheckBox::On:
            m_loggingBox->setText(loggingCaption());
            emit loggingSwitchedOn();
            m_loggedCaption->setEnabled(true);
            m_linesCaption->setEnabled(true);
            break;
        case TriStateCheckBox::Off:
            // The file is open only while a line is written, so there is
            // nothing to close here. Logging can come back only with a new
            // choice of file.
            showLoggingOff();
            m_makeLog->setEnabled(true);
            break;
        default:
            break;
        }
    } catch (...) {
        logFailure(FailurePath::Toggle, failureWords(std::current_exception()));
    }
}

// Check3 greyed and disabled, the count and its captions cleared.
void LogPanel::showLoggingOff()
{
    m_loggingBox->setText(notLoggingCaption());
    m_loggingBox->setValue(TriStateCheckBox::Greyed);
    m_loggingBox->setEnabled(false);
    m_recordsWritten = 0;
    showCount(QString());
    m_loggedCaption->setEnabled(false);
    m_linesCaption->setEnabled(false);
}

// The text is set at once, but with a record on every tick a repaint for
// each would cost more than the rest of the tick: one that comes moments
// after the last waits for the next frame (the label's updates are held
// back until then).
void LogPanel::showCount(const QString &text)
{
    if (m_countFrames.request())
        m_countFrames.painted();
    else
        m_recordCount->setUpdatesEnabled(false);
    m_recordCount->setText(text);
}

void LogPanel::countFrameDue()
{
    m_recordCount->setUpdatesEnabled(true);   // repaints it
    m_countFrames.painted();
}

void LogPanel::setRecordCount(qint64 count)
{
    m_recordsWritten = count;
    showCount(QStringLiteral(" ") + QString::number(count));
}

void LogPanel::setLogging(int value)
{
    m_loggingBox->setValue(value);
}

void LogPanel::Text1_Change()
{
    if (numericValue(m_delayBox->text()) > LongestDelay)
        m_delayBox->setText(QStringLiteral("3600"));
}

bool LogPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_delayBox || event->type() != QEvent::KeyPress)
        return Panel3D::eventFilter(watched, event);
    // Only digits and backspace are typed into the delay; keys that carry
    // no character (arrows, Home, Delete) and those that move focus or close
    // the window still work.
    const auto *key = static_cast<const QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return false;
    default:
        break;
    }
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    const bool digit = text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
    return !digit;
}

void LogPanel::tick(int16_t remote, int16_t local, bool graphOn)
{
    const double now = m_services.clock.secondsSinceMidnight();
    const double delay = numericValue(m_delayBox->text());
    if (m_file.named() && graphOn && m_loggingBox->isOn() &&
        (secondsSinceRecord(now, m_lastLogTime) >= delay || delay == 0)) {
        try {
            AppendLogRecord(remote, local);
        } catch (const LogFileError &e) {
            logFailure(FailurePath::Tick, QString::fromStdString(e.what()));
        }
    }
}

void LogPanel::AppendLogRecord(int16_t remote, int16_t local)
{
    const double now = m_services.clock.secondsSinceMidnight();
    m_lastLogTime = roundedSecond(now);
    m_file.append(logRecordLine(now, remote, local));
    setRecordCount(m_recordsWritten + 1);
    if (m_recordsWritten > CountReapply)
        Check3_Click();
}

// The log is forgotten; a new one can be chosen.
void LogPanel::endLog()
{
    m_loggingBox->setValue(TriStateCheckBox::Greyed);
    m_file.forget();
    m_makeLog->setEnabled(true);
}

void LogPanel::stopLogging()
{
    endLog();
    showLoggingOff();
}

// The box comes after the tick has returned, so that the measurement timer
// goes on while it is open; logging is already off by then.
void LogPanel::logFailure(FailurePath path, const QString &reason)
{
    endLog();
    if (path == FailurePath::Toggle)
        m_loggingBox->setEnabled(false);
    m_services.ui.failures().report(
        failureLine(tr("The log file could not be written: %1").arg(reason), tr("Logging stopped.")));
    MessageRequest request;
    request.title = tr("Error");
    request.text = tr("There has been a problem writing to the log file.") + QLatin1Char('\r') +
                   tr("This file may be locked by another application.") + QStringLiteral("\r\r") +
                   reason + (reason.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral("."));
    request.icon = QMessageBox::NoIcon;
    request.buttons = QMessageBox::Ok;
    showFailureBoxLater(m_services.ui, window(), request, [this, path] {
        if (path == FailurePath::Tick)
            showLoggingOff();
    });
}

} // namespace ort
