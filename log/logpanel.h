#pragma once
#include "log/logfile.h"
#include "widgets/framethrottle.h"
#include "widgets/panel3d.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ort {

struct Services;
class TriStateCheckBox;

// The "Log to File" panel: choosing the log file, the logging toggle, the
// delay between records and the count of records written. It knows nothing
// of the measurement cycle: each tick hands it the readings and whether a
// graph is on, and it decides whether a record is due.
class LogPanel : public Panel3D {
    Q_OBJECT
public:
    explicit LogPanel(Services &services, QWidget *parent = nullptr);

    void MakeLog_CMD_Click();
    // Runs on every change of Check3's value, by a click or by the program.
    void Check3_Click();
    void Text1_Change();

    // The log step at the end of a measurement tick: a record when one is
    // due. A file that cannot be written ends logging with the log-file
    // message; the tick goes on.
    void tick(int16_t remote, int16_t local, bool graphOn);
    // Throws LogFileError when the file cannot be written.
    void AppendLogRecord(int16_t remote, int16_t local);
    // Ends logging as a failed write does, without a message: a failure of
    // the bus has its own.
    void stopLogging();
    // The records written to the file so far, as the panel shows them.
    qint64 recordCount() const { return m_recordsWritten; }
    void setRecordCount(qint64 count);
    // Sets Check3's value; its handler runs.
    void setLogging(int value);

    TriStateCheckBox *check3() const { return m_loggingBox; }
    LogFile &file() { return m_file; }
    QString LogFileName() const { return m_file.name(); }
    int32_t LastLogTime() const { return m_lastLogTime; }

signals:
    // Logging was switched on: the owner starts a graph when none is on,
    // because records are written only while one is.
    void loggingSwitchedOn();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class FailurePath { Toggle, Tick };
    // `reason` is the system's, "No space left on device" say.
    void logFailure(FailurePath path, const QString &reason);
    void endLog();
    void showLoggingOff();
    void showCount(const QString &text);

    Services &m_services;
    LogFile m_file;
    int32_t m_lastLogTime = 0;

    QPushButton *m_makeLog;
    TriStateCheckBox *m_loggingBox;
    QLabel *m_delayCaption;
    QLineEdit *m_delayBox;
    QLabel *m_loggedCaption;
    QLabel *m_recordCount;
    qint64 m_recordsWritten = 0;
    QLabel *m_linesCaption;
    // The label's updates are held back while a frame waits.
    void countFrameDue();
    FrameThrottle m_countFrames{[this] { countFrameDue(); }};
};

} // namespace ort
