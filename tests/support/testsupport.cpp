#include "tests/support/testsupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimerEvent>
#include <cstdio>

namespace ort::test {

QMessageBox::StandardButton FakeUi::message(QWidget *, const MessageRequest &request)
{
    messages.append(request);
    if (whileOpen)
        whileOpen(request);
    return answer;
}

QString FakeUi::openFileName(QWidget *, const QString &, const QString &filter)
{
    fileFilters.append(filter);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

void answerWithRealBoxes(FakeUi &ui, std::function<bool()> enough, double seconds)
{
    ui.whileOpen = [enough = std::move(enough), seconds](const MessageRequest &request) {
        QElapsedTimer open;
        open.start();
        QTimer watch;
        watch.setInterval(1);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!enough() && open.elapsed() < seconds * 1000)
                return;
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->done(QMessageBox::Ok);
        });
        watch.start();
        QtUi().message(nullptr, request);
    };
}

namespace {
SimBoard *g_liveBoard = nullptr;
QList<QPointer<QObject>> g_standIns;
} // namespace

SimBoard::SimBoard(const sim::Scenario &scenario) : clock(std::make_shared<ManualClock>())
{
    auto sim = std::make_unique<sim::SimBackend>(scenario, clock);
    backend = sim.get();
    install(std::move(sim));
}

SimBoard::SimBoard(std::unique_ptr<Backend> hardware, std::shared_ptr<ManualClock> clock) : clock(std::move(clock))
{
    install(std::move(hardware));
}

void SimBoard::install(std::unique_ptr<Backend> hardware)
{
    if (g_liveBoard)
        detail::fail(QStringLiteral("a simulated board was made while another one is installed"),
                     std::source_location::current());
    g_liveBoard = this;
    m_replaced = installBusAccess(std::make_unique<BusAccessServer>(std::move(hardware)));
    busAccess().transcript().setEnabled(true);
}

SimBoard::~SimBoard()
{
    if (g_liveBoard == this) {
        g_liveBoard = nullptr;
        installBusAccess(std::move(m_replaced));
    }
}

QStringList SimBoard::calls() const
{
    QStringList out;
    for (const std::string &c : busAccess().transcript().calls()) {
        const QString s = QString::fromStdString(c);
        if (s != "BusAccessServer.PrinterPort()" && s != "BusAccessServer.Smbus()")
            out << s;
    }
    return out;
}

void SimBoard::clearCalls()
{
    busAccess().transcript().clear();
}

namespace detail {

void fail(const QString &text, const std::source_location &where)
{
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(text), where.file_name(), int(where.line()));
    else
        std::fprintf(stderr, "%s:%u: %s\n", where.file_name(), unsigned(where.line()), qPrintable(text));
}

QString missingControlText(const QObject *parent, const QString &name, const char *type)
{
    if (!parent)
        return QStringLiteral("no %1 named %2: the window is missing").arg(QLatin1String(type), name);
    QStringList present;
    for (const QObject *child : parent->findChildren<QObject *>())
        if (!child->objectName().isEmpty())
            present << child->objectName();
    present.sort();
    return QStringLiteral("no %1 named %2 in %3 (there are: %4)")
        .arg(QLatin1String(type), name, parent->objectName(), present.join(QStringLiteral(", ")));
}

void keepStandIn(QObject *standIn)
{
    g_standIns.append(standIn);
}

} // namespace detail

QStringList leftWindows()
{
    QStringList names;
    for (const QWidget *w : QApplication::topLevelWidgets())
        names << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    return names;
}

void checkNoWindowLeft(std::source_location where)
{
    for (const QPointer<QObject> &o : std::as_const(g_standIns))
        delete o.data();
    g_standIns.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QStringList left = leftWindows();
    if (left.isEmpty())
        return;
    detail::fail(QStringLiteral("windows left open: ") + left.join(QStringLiteral(", ")), where);
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        windows << w;
    for (const QPointer<QWidget> &w : std::as_const(windows))
        delete w.data();
}

int tick(ManualClock &clock, QTimer &timer, int n, std::optional<double> dt)
{
    const double step = dt ? *dt : timer.interval() / 1000.0;
    int ran = 0;
    for (int i = 0; i < n && timer.isActive(); ++i) {
        clock.advance(step);
        QTimerEvent event(timer.timerId());
        QCoreApplication::sendEvent(&timer, &event);
        // Back in the event loop: what the tick queued for later (a failure
        // box, say) runs now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        ++ran;
    }
    return ran;
}

int tick(ManualClock &clock, const std::function<void()> &handler, int n, double dt)
{
    for (int i = 0; i < n; ++i) {
        clock.advance(dt);
        handler();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
    return n;
}

void saveWindowPicture(QWidget *window, const QString &folder, const char *name)
{
    window->show();
    QApplication::processEvents();
    const QString path = folder + "/" + name + ".png";
    window->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace ort::test
