#include "shell/mainmenuform.h"
#include "gui/accessibility.h"
#include "gui/artwork.h"
#include "gui/colours.h"
#include "gui/errors.h"
#include "gui/twips.h"
#include "link/text.h"
#include "log/logpanel.h"
#include "monitor/alertpanel.h"
#include "monitor/barpanel.h"
#include "monitor/controlspanel.h"
#include "monitor/graphpanel.h"
#include "monitor/limitgauges.h"
#include "monitor/maintabs.h"
#include "monitor/measurementcycle.h"
#include "monitor/oneshotpanel.h"
#include "registers/bitpanel.h"
#include "registers/infopanel.h"
#include "registers/registereditor.h"
#include "registers/selectorpanel.h"
#include "registers/writepanel.h"
#include "shell/desktopnotifier.h"
#include "shell/program.h"
#include "shell/statusline.h"
#include "widgets/percentbar.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ort {

MainMenuForm::MainMenuForm(Program &program) : QWidget(nullptr), m_program(program)
{
    setObjectName("MainMenuForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("%1 - %2").arg(MakerName, productTitle()));
    setAccessibleWindowRole(this, QAccessible::Window);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("MainTab");
    buildPages();

    auto *statusLine = new QStatusBar(this);
    statusLine->setObjectName("StatusLine");
    statusLine->setAccessibleName(tr("Connection"));
    statusLine->setSizeGripEnabled(false);
    m_connection = new QLabel(statusLine);
    m_connection->setObjectName("ConnectionLBL");
    statusLine->addWidget(m_connection, 1);
    // The last failure stands over the connection until something succeeds:
    // one that came while a box was open has no box of its own.
    auto showFailure = [statusLine](const QString &line) {
        QPalette palette = statusLine->palette();
        palette.setColor(QPalette::WindowText, line.isEmpty() ? QPalette().color(QPalette::WindowText)
                                                              : colour::DarkRed);
        statusLine->setPalette(palette);
        if (line.isEmpty())
            statusLine->clearMessage();
        else
            statusLine->showMessage(line);
    };
    connect(&m_program.ui().failures(), &FailureNotice::changed, statusLine, showFailure);
    if (!m_program.ui().failures().text().isEmpty())
        showFailure(m_program.ui().failures().text());
    offerNotifications(statusLine);

    // Ctrl+Q quits as the Quit button does, from any tab; the button's
    // caption stays as it is.
    auto *quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setObjectName("QuitShortcut");
    connect(quit, &QShortcut::activated, this, [this] { Quit_Click(); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(twips(this, 90), twips(this, 90), twips(this, 90), 0);
    layout->addWidget(m_tabs);
    layout->addWidget(statusLine);
    resize(twips(this, 11500), twips(this, 8400));
}

// The switch stands in the status line, in every tab, beside the line that
// keeps an alert the desktop could not be told of.
void MainMenuForm::offerNotifications(QStatusBar *statusLine)
{
    DesktopNotifier &notifier = m_program.notifier();
    auto *undelivered = new QLabel(statusLine);
    undelivered->setObjectName("AlertNoticeLBL");
    // A long line takes the room there is; it never widens the window.
    undelivered->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusLine->addPermanentWidget(undelivered, 1);
    connect(&notifier, &DesktopNotifier::undelivered, undelivered, [undelivered](const QString &line, const QString &details) {
        undelivered->setText(line);
        undelivered->setToolTip(details);
    });
    auto *notify = new QCheckBox(tr("Desktop notifications"), statusLine);
    notify->setObjectName("NotifyCHK");
    notify->setToolTip(tr("Tell the desktop when the alert lamp turns red and when it returns"));
    notify->setChecked(notifier.enabled());
    statusLine->addPermanentWidget(notify);
    connect(notify, &QCheckBox::toggled, this, [this, undelivered](bool on) {
        m_program.notifier().setEnabled(on);
        m_program.settings().setNotifications(on);
        if (!on)
            undelivered->clear();
    });
}

void MainMenuForm::showConnection()
{
    m_connection->setText(connectionText(currentConnection(m_program.state(), m_program.bus())));
}

void MainMenuForm::showEvent(QShowEvent *event)
{
    showConnection();
    QWidget::showEvent(event);
}

void MainMenuForm::buildPages()
{
    // Index 0, the window's own page.
    m_tabs->addTab(buildMainTab(), tr("Main"));
    // Index 1 and 2, each from its subsystem's panels. Each panel gets
    // m_program.services() and the sibling references it needs as
    // constructor arguments, and where one panel must tell another something
    // the signal is connected here.
    m_tabs->addTab(buildReadWriteTab(), tr("Read/Write"));
    m_tabs->addTab(buildControlCenterTab(), tr("Control Center"));

    // After the pages, so that adding them runs no handler.
    m_tabHandler = new MainTabs(*m_tabs, *this, m_program.ui(), *m_editor);
    m_tabHandler->setTimer1(&m_cycle->Timer1());
    m_tabHandler->setControls(m_controls);
    // A one-shot reading on the printer-port route moves the remote bar.
    connect(m_oneShot, &OneShotPanel::remoteBarLevel, m_cycle,
            [bar = m_cycle->barPanel().remoteBar()](int level) { bar->setValue(level); });
}

QWidget *MainMenuForm::buildReadWriteTab()
{
    auto *page = new QWidget;
    page->setObjectName("ReadWriteTabPage");
    auto *bits = new BitPanel(page);
    auto *write = new WritePanel(page);
    auto *info = new RegisterInfoPanel(page);
    auto *selector = new RegisterSelectorPanel(page);
    auto *oneShot = m_oneShot = new OneShotPanel(m_program.services(), page);
    m_editor = new RegisterEditor(m_program.services(), *page, {*selector, *bits, *write, *info});
    // The editor's redraw keeps the standby indicator in step with the chip.
    connect(m_editor, &RegisterEditor::standbyShown, oneShot, &OneShotPanel::showStandby);

    auto *grid = new QGridLayout(page);
    const int gap = twips(this, 90);
    grid->setContentsMargins(gap, gap, gap, gap);
    grid->setSpacing(gap);
    grid->addWidget(bits, 0, 0);
    grid->addWidget(write, 0, 1);
    grid->addWidget(info, 0, 2);
    grid->addWidget(selector, 1, 0, 1, 3);
    grid->addWidget(oneShot, 2, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    return page;
}

QWidget *MainMenuForm::buildMainTab()
{
    auto *page = new QWidget;
    page->setObjectName("MainTabPage");

    auto *picture = new QLabel(page);
    picture->setObjectName("Picture1");
    picture->setPixmap(chipPicture(QSize(twips(this, 3000), twips(this, 2400))));

    auto title = [page](const char *name, const QString &text, int pointSize, bool bold) {
        auto *shown = new QLabel(text, page);
        shown->setObjectName(name);
        QFont f = shown->font();
        f.setPointSize(pointSize);
        f.setBold(bold);
        shown->setFont(f);
        shown->setAlignment(Qt::AlignCenter);
        return shown;
    };
    QLabel *model = title("Label24", ChipName, 36, true);
    QLabel *what = title("Label25", tr("Evaluation Software"), 20, true);
    QLabel *version = title("Label26", tr("(Ver. %1)").arg(ProgramVersion), 12, false);

    auto *about = new QPushButton(tr("About this software"), page);
    about->setObjectName("Command7");
    auto *quit = new QPushButton(tr("Quit"), page);
    quit->setObjectName("Quit");
    for (QPushButton *b : {about, quit})
        b->setMinimumSize(twips(this, 2000), twips(this, 495));

    connect(about, &QPushButton::clicked, this,
            [this] { runGuarded(m_program.ui(), this, [this] { Command7_Click(); }); });
    connect(quit, &QPushButton::clicked, this, [this] { Quit_Click(); });

    auto *grid = new QGridLayout(page);
    grid->setRowStretch(0, 1);
    grid->addWidget(picture, 1, 0, 3, 1, Qt::AlignCenter);
    grid->addWidget(model, 1, 1);
    grid->addWidget(what, 2, 1);
    grid->addWidget(version, 3, 1);
    grid->setRowStretch(4, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(about);
    buttons->addSpacing(twips(this, 600));
    buttons->addWidget(quit);
    buttons->addStretch();
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);

    // Kept out of the page's layout, in its top right corner, so that no
    // control of the page moves for it; it comes last in the tab order.
    m_console = new QPushButton(tr("Bus Console\u2026"), page);
    m_console->setObjectName("BusConsoleCMD");
    m_console->setToolTip(tr("Every transfer on the bus, live (Ctrl+B)"));
    m_console->adjustSize();
    connect(m_console, &QPushButton::clicked, this, [this] { runGuarded(m_program.ui(), this, [this] { m_program.showBusConsole(); }); });
    m_mainPage = page;
    page->installEventFilter(this);
    return page;
}

// The monitoring panels around the chart, and the "Log to File" panel. The
// cycle runs the toggles' handlers and feeds every panel from the chip.
QWidget *MainMenuForm::buildControlCenterTab()
{
    auto *page = new QWidget;
    page->setObjectName("ControlCenterPage");
    Services &services = m_program.services();
    auto *graph = new GraphPanel(services, page);
    auto *bars = new BarPanel(page);
    auto *alert = new AlertPanel(services, page);
    auto *log = new LogPanel(services, page);
    m_cycle = new MeasurementCycle(services, *alert, *graph, *bars, *log, page);
    // The gauges and the measurement controls fill the room the bar panel keeps for them.
    auto *gauges = new LimitGauges(services, *bars, page);
    // The desktop is told the limit crossed as the gauges show it.
    connect(m_cycle, &MeasurementCycle::alertChanged, &m_program.notifier(), [this, gauges](AlertChange change) {
        const auto [localHigh, localLow] = gauges->shownLimits(LimitGauges::Local);
        const auto [remoteHigh, remoteLow] = gauges->shownLimits(LimitGauges::Remote);
        change.limits = {localHigh, localLow, remoteHigh, remoteLow};
        m_program.notifier().alertChanged(change);
    });
    m_controls = new ControlsPanel(services, *m_cycle, *gauges, bars);
    bars->controlsSlot()->addWidget(m_controls);

    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(twips(this, 90), twips(this, 90), twips(this, 90), twips(this, 90));
    grid->setSpacing(twips(this, 90));
    grid->addWidget(graph, 0, 0, 1, 2);
    grid->addWidget(bars, 1, 0, 2, 1);
    grid->addWidget(alert, 1, 1);
    grid->addWidget(log, 2, 1);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    return page;
}

bool MainMenuForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mainPage && event->type() == QEvent::Resize) {
        const int gap = twips(this, 120);
        m_console->move(m_mainPage->width() - m_console->width() - gap, gap);
    }
    return QWidget::eventFilter(watched, event);
}

void MainMenuForm::Form_Load()
{
    centreOnScreen(this);
    m_program.state().ReadValue = 0;
}

void MainMenuForm::Command7_Click()
{
    m_program.showAbout();
}

void MainMenuForm::Quit_Click()
{
    // No printer port chosen: there are no data lines to release.
    const uint16_t base = m_program.state().PrinterPortBase;
    if (base != 0)
        runGuarded(m_program.ui(), this, [&] { m_program.link().WritePortByte(base, 0); });
    // A port that cannot be written must not keep the user from quitting.
    close();
    m_program.endProgram();
}

void MainMenuForm::Form_Unload()
{
    m_program.bus().PrinterPort().OutputLatch().SetValue(0);
}

void MainMenuForm::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        runGuarded(m_program.ui(), this, [this] { Form_Unload(); });
        m_program.windowUnloaded(this);
    }
    event->accept();
}

} // namespace ort
