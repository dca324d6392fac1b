#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>

class QTabWidget;
class QWidget;

namespace ort {

class ControlsPanel;
class RegisterEditor;
class Ui;

// The tab strip MainTab of the main window: every change of tab stops both
// timers, so the register editor's continuous reading and the monitoring
// never run at once, and the tab entered starts afresh from the chip.
class MainTabs : public QObject {
    Q_OBJECT
public:
    enum Tab { Main = 0, ReadWrite = 1, ControlCenter = 2 };

    MainTabs(QTabWidget &tabs, QWidget &window, Ui &ui, RegisterEditor &editor);

    // The measurement cycle's timer, once the "Control Center" has one.
    void setTimer1(QTimer *timer) { m_measurementTimer = timer; }
    // What brings the "Control Center" up to date on entry.
    void setControls(ControlsPanel *controls);

    // Run after the selected tab has changed.
    void MainTab_Click();
    void StopTimers();

private:
    QTabWidget &m_tabs;
    QWidget &m_window;
    Ui &m_ui;
    RegisterEditor &m_editor;
    QPointer<QTimer> m_measurementTimer;
    QPointer<ControlsPanel> m_controls;
};

} // namespace ort
