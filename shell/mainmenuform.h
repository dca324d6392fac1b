#pragma once
#include <QWidget>

class QLabel;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace ort {

class ControlsPanel;
class MainTabs;
class MeasurementCycle;
class OneShotPanel;
class Program;
class RegisterEditor;

// The main window's frame: title, the tab strip and its "Main" tab with
// About and Quit, placement on load, and what closing it does. The working
// tabs are panels of their own subsystems, built by buildPages().
class MainMenuForm : public QWidget {
    Q_OBJECT
public:
    explicit MainMenuForm(Program &program);
    void Form_Load();
    void Form_Unload();
    void Command7_Click();
    void Quit_Click();

    QTabWidget *mainTab() const { return m_tabs; }
    RegisterEditor *registerEditor() const { return m_editor; }
    MainTabs *tabHandler() const { return m_tabHandler; }
    // The "Control Center" page's cycle; its stopTimer1() stops Timer1.
    MeasurementCycle *measurementCycle() const { return m_cycle; }
    Program &program() { return m_program; }

    // Says what the window is talking to; shown again whenever it is shown.
    void showConnection();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Builds the pages of MainTab and hands each panel what it needs.
    void buildPages();
    QWidget *buildMainTab();
    QWidget *buildReadWriteTab();
    QWidget *buildControlCenterTab();
    void offerNotifications(QStatusBar *statusLine);
    Program &m_program;
    QTabWidget *m_tabs;
    RegisterEditor *m_editor = nullptr;
    MeasurementCycle *m_cycle = nullptr;
    MainTabs *m_tabHandler = nullptr;
    OneShotPanel *m_oneShot = nullptr;
    ControlsPanel *m_controls = nullptr;
    QLabel *m_connection;   // in the status line
    QWidget *m_mainPage = nullptr;
    QPushButton *m_console = nullptr;   // in the Main page's corner, outside its layout
    bool m_unloaded = false;
};

} // namespace ort
