#pragma once
#include "console/transfermodel.h"
#include "console/transferring.h"

#include <QTimer>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace ort {

class Clock;
class WindowHost;
struct Services;

// The bus console: every transfer the component makes while it is open and
// not paused, live, newest at the bottom. Transfers go into a ring of the
// last hundred thousand as they happen; the table takes them in at most 25
// times a second, so a busy bus costs the window one repaint per refresh.
class BusConsole : public QWidget {
    Q_OBJECT
public:
    // Records from now on; times count from `origin` on the program's clock.
    BusConsole(Services &services, WindowHost &host, double origin);
    ~BusConsole() override;

    // Stops recording for good, so that the component may go before this
    // window does.
    void detach();
    bool recording() const;

    const TransferRing &ring() const { return m_ring; }
    TransferModel &model() { return m_model; }
    QTimer &refreshTimer() { return m_refresh; }

    void Pause_Click(bool paused);
    void Clear_Click();
    void Save_Click();
    // Takes what was recorded into the table now.
    void refresh();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void record(const Transfer &transfer);
    void listen(bool on);
    void applyFilter();
    void showCount();

    Services &m_services;
    WindowHost &m_host;
    const Clock &m_clock;
    const double m_origin;
    TransferRing m_ring;
    TransferModel m_model{m_ring};
    QTimer m_refresh;
    bool m_listening = false;
    bool m_detached = false;

    QPushButton *m_pause;
    QComboBox *m_registerFilter;
    QComboBox *m_resultFilter;
    QLabel *m_count;
    QTableView *m_table;
};

} // namespace ort
