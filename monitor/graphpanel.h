#pragma once
#include "widgets/panel3d.h"

class QPushButton;

namespace ort {

struct Services;
class StripChart;
class TriStateCheckBox;

// The "Graph" panel: the strip chart of both temperatures, the graphing
// toggle and "Clear Graph". The remote reading goes to trace 0 and the local
// one to trace 1. The chart's time runs on the program's monotonic clock, so
// it never steps back (not at midnight either), and is labelled with the
// time of day.
class GraphPanel : public Panel3D {
    Q_OBJECT
public:
    static constexpr int RemoteTrace = 0;
    static constexpr int LocalTrace = 1;

    explicit GraphPanel(Services &services, QWidget *parent = nullptr);

    void Command6_Click();
    // 1 is the left button, 2 the right one, 4 the middle one.
    void Strip1_MouseDown(int button);

    StripChart *chart() const { return m_strip1; }
    TriStateCheckBox *check2() const { return m_check2; }

private:
    Services &m_services;
    StripChart *m_strip1;
    TriStateCheckBox *m_check2;
    QPushButton *m_command6;
};

} // namespace ort
