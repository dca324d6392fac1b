#include "cli/alerts.h"
#include "cli/logformat.h"
#include "cli/session.h"
#include "cli/tool.h"
#include "link/chip.h"

#include <QCoreApplication>
#include <QProcess>
#include <csignal>
#include <unistd.h>

namespace ort::cli {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::cli::Alerts)
};

// Runs in the child between fork and exec, so only async-signal-safe calls.
// The log holds back Ctrl+C and SIGTERM and ignores SIGXFSZ, and a child
// inherits both: Ctrl+C would not stop it. Its output goes to standard
// error, so that the tool's own output stays its own.
void freshChild()
{
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    std::signal(SIGXFSZ, SIG_DFL);
    std::signal(SIGPIPE, SIG_DFL);
    dup2(STDERR_FILENO, STDOUT_FILENO);
}

} // namespace

AlertWatch::AlertWatch(Session &session, std::function<double()> monotonic, QStringList command, std::FILE *err)
    : m_session(session), m_monotonic(std::move(monotonic)), m_command(std::move(command)), m_err(err),
      m_period(conversionPeriod(session.read(chip::ConversionRateRead)))
{
}

AlertWatch::~AlertWatch()
{
    if (std::optional<Change> end = m_episode.finish(); end && !m_command.isEmpty())
        run(*end);
    reportEnded(true);
}

AlertState AlertWatch::readStatus()
{
    AlertState state;
    state.status = m_session.read(chip::Status);
    state.alert = m_hold.read(state.status & chip::StatusLimitMask, m_monotonic(), m_period);
    state.changed = state.alert != m_shown;
    m_shown = state.alert;
    return state;
}

void AlertWatch::recorded(const AlertState &state, const QDateTime &when, int remote, int local)
{
    reportEnded(false);
    if (m_command.isEmpty())
        return;
    std::optional<Change> change;
    if (state.changed)
        change = Change{state.alert, state.status, when, remote, local};
    if (std::optional<Change> told = m_episode.read(std::move(change), m_monotonic()))
        run(*told);
}

void AlertWatch::run(const Change &change)
{
    const QString what = change.alert ? QStringLiteral("start") : QStringLiteral("end");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORT310_ALERT"), what);
    environment.insert(QStringLiteral("ORT310_TIME"), isoTime(change.when));
    environment.insert(QStringLiteral("ORT310_REMOTE"), QString::number(change.remote));
    environment.insert(QStringLiteral("ORT310_LOCAL"), QString::number(change.local));
    environment.insert(QStringLiteral("ORT310_STATUS"), QString::number(change.status));
    environment.insert(QStringLiteral("ORT310_FLAGS"), namedBits(chip::Status, change.status).join(QLatin1Char(',')));
    environment.insert(QStringLiteral("ORT310_CHIP"), m_session.description());

    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setChildProcessModifier(freshChild);
    process->start(m_command.first(), m_command.mid(1));
    // Not waited for beyond its start: the log goes on while it runs.
    if (!process->waitForStarted()) {
        say(m_err, Words::tr("The --on-alert command for the alert's %1 could not be run: %2; ort310 goes on")
                       .arg(what, process->errorString()));
        return;
    }
    m_running.push_back({std::move(process), what});
}

void AlertWatch::reportEnded(bool wait)
{
    for (auto it = m_running.begin(); it != m_running.end();) {
        QProcess &p = *it->process;
        if (!p.waitForFinished(wait ? FinishMs : 0) && p.state() != QProcess::NotRunning) {
            if (!wait) {
                ++it;
                continue;
            }
            say(m_err, Words::tr("The --on-alert command for the alert's %1 still ran after %2 s and was ended")
                           .arg(it->what)
                           .arg(FinishMs / 1000));
            p.kill();
            p.waitForFinished();
        } else if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            say(m_err, Words::tr("The --on-alert command for the alert's %1 failed (%2); ort310 goes on")
                           .arg(it->what, p.exitStatus() == QProcess::NormalExit
                                              ? Words::tr("exit status %1").arg(p.exitCode())
                                              : Words::tr("it crashed")));
        }
        it = m_running.erase(it);
    }
}

} // namespace ort::cli
