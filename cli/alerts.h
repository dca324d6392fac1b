#pragma once
#include "monitor/alertepisode.h"
#include "monitor/alerthold.h"

#include <QDateTime>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

class QProcess;

namespace ort::cli {

class Session;

// The status byte of one read, and the alert as the window's lamp shows it
// after that read (the lamp's hold included, so not the raw flags).
struct AlertState {
    uint8_t status = 0;
    bool alert = false;
    bool changed = false;   // it started or ended with this read
};

// The alert lamp of the window, for a log or a watch: the chip's status
// read before each record as the window's tick reads it, and, with a
// command, that command run at each start and end of an alert without a
// shell, the state and the temperatures in its environment (an end once the
// lamp has stayed clear a quiet time, or at the end of the log). A command that
// cannot start or fails is reported on `err`; the record goes on.
class AlertWatch {
public:
    // Reads the conversion rate once: the lamp holds an alert a conversion
    // period at that rate, in the seconds of `monotonic`. `command` is the
    // program and its arguments; empty for none.
    AlertWatch(Session &session, std::function<double()> monotonic, QStringList command, std::FILE *err);
    // Waits a while for the commands still running, so that an alert's
    // message is not cut off by the end of the log.
    ~AlertWatch();
    AlertWatch(const AlertWatch &) = delete;
    AlertWatch &operator=(const AlertWatch &) = delete;

    AlertState readStatus();
    // After the record of this read: the command at a change.
    void recorded(const AlertState &state, const QDateTime &when, int remote, int local);

    // How long the end of a log waits for each command still running.
    static constexpr int FinishMs = 30000;

private:
    // A change of the lamp, as the command is told of it.
    struct Change {
        bool alert = false;
        uint8_t status = 0;
        QDateTime when;
        int remote = 0;
        int local = 0;
    };
    void run(const Change &change);
    void reportEnded(bool wait);

    Session &m_session;
    std::function<double()> m_monotonic;
    QStringList m_command;
    std::FILE *m_err;
    AlertHold m_hold;
    double m_period;
    bool m_shown = false;
    AlertEpisode<Change> m_episode;
    struct Running {
        std::unique_ptr<QProcess> process;
        QString what;   // "start" or "end"
    };
    std::vector<Running> m_running;
};

} // namespace ort::cli
