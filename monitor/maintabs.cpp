#include "monitor/maintabs.h"
#include "gui/errors.h"
#include "monitor/controlspanel.h"
#include "registers/registereditor.h"

#include <QTabWidget>
#include <QTimer>

namespace ort {

MainTabs::MainTabs(QTabWidget &tabs, QWidget &window, Ui &ui, RegisterEditor &editor)
    : QObject(&window), m_tabs(tabs), m_window(window), m_ui(ui), m_editor(editor)
{
    connect(&m_tabs, &QTabWidget::currentChanged, this, [this] { MainTab_Click(); });
}

void MainTabs::MainTab_Click()
{
    m_window.setCursor(Qt::WaitCursor);
    // A failed refresh abandons the change; the pointer comes back before
    // the box, not after it.
    runGuarded(
        m_ui, &m_window,
        [this] {
            StopTimers();
            const int tab = m_tabs.currentIndex();
            if (tab == ReadWrite)
                m_editor.ResetEditor();
            else if (tab == ControlCenter && m_controls)
                m_controls->RefreshMonitorControls();
        },
        [this] { m_window.unsetCursor(); });
    m_window.unsetCursor();
}

void MainTabs::setControls(ControlsPanel *controls)
{
    m_controls = controls;
}

void MainTabs::StopTimers()
{
    if (m_measurementTimer)
        m_measurementTimer->stop();
    m_editor.Timer3().stop();
}

} // namespace ort
