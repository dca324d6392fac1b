#pragma once
#include "widgets/panel3d.h"

class QAction;
class QIODevice;
class QMenu;
class QPushButton;

namespace ort {

struct Services;
class StripChart;
class TriStateCheckBox;

// The "Graph" panel: the strip chart of both temperatures, the graphing
// toggle and "Clear Graph". The remote reading goes to trace 0 and the local
// one to trace 1; the chart shades the spans in which the lamp showed an
// alert. The chart's time runs on the program's monotonic clock, so
// it never steps back (not at midnight either), and is labelled with the
// time of day. A right click on the chart (or the menu key) opens a menu that
// saves the chart as a picture or its readings as CSV; the same two by
// shortcut while the chart has the keyboard.
class GraphPanel : public Panel3D {
    Q_OBJECT
public:
    static constexpr int RemoteTrace = 0;
    static constexpr int LocalTrace = 1;

    explicit GraphPanel(Services &services, QWidget *parent = nullptr);

    void Command6_Click();
    // 1 is the left button, 2 the right one, 4 the middle one.
    void Strip1_MouseDown(int button);

    // Ask for a file and write the chart to it: a picture (PNG, or SVG by
    // the name's extension), or the readings.
    void savePicture();
    void saveReadings();

    StripChart *chart() const { return m_chart; }
    TriStateCheckBox *check2() const { return m_graphBox; }

private:
    QString chosenFile(const QString &caption, const QString &filter);
    void saveFailed(const QString &title, const QString &what, const QString &path, const QString &reason);

    Services &m_services;
    StripChart *m_chart;
    TriStateCheckBox *m_graphBox;
    QPushButton *m_clearButton;
    QAction *m_savePicture;
    QAction *m_saveReadings;
    QMenu *m_menu;
};

// The chart's readings as CSV: a header "time,remote,local,alert", then a row
// each time either reading or the alert changes (StripChart::forEachChange),
// its time as the local date and time to the millisecond in ISO 8601
// ("2024-05-01T12:00:00.125"), the alert 1 in a marked span and 0 outside.
// The chart's times are taken as seconds since the epoch, as the panel keeps
// them. False when the device failed a write.
bool writeReadingsCsv(const StripChart &chart, QIODevice &out);

} // namespace ort
