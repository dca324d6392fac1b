#include "monitor/graphpanel.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "gui/tristatecheckbox.h"
#include "gui/twips.h"
#include "link/text.h"
#include "widgets/stripchart.h"

#include <QDate>
#include <QDateTime>
#include <QGridLayout>
#include <QPushButton>

namespace ort {

namespace {
constexpr double StampNumber = 0.1;   // where a time stamp's text sits: near the top

int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}
} // namespace

GraphPanel::GraphPanel(Services &services, QWidget *parent)
    : Panel3D(QStringLiteral("Graph"), parent), m_services(services)
{
    setObjectName("SSPanel6");
    setCaptionAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_strip1 = new StripChart(this);
    m_strip1->setObjectName("Strip1");
    m_strip1->setAccessibleName(QStringLiteral("Temperature graph"));
    m_strip1->setTraceCaption(RemoteTrace, QStringLiteral("Remote Temperature"));
    m_strip1->setTraceCaption(LocalTrace, QStringLiteral("Local Temperature"));
    for (int trace : {RemoteTrace, LocalTrace})
        m_strip1->setTraceRange(trace, -127, 127);
    m_strip1->setTimeCaption(QStringLiteral("Time"));
    m_strip1->setTimeFormat(QStringLiteral("%H:%M:%S "));
    m_strip1->setValueCaption(QStringLiteral("Temperature (C)"));
    m_strip1->setToolTip(
        QStringLiteral("Drag the Arrows to zoom in or out, Left Click Timestamps, Right Drag Moves Graph"));
    // The chart's time is the monotonic clock moved to today's calendar once,
    // so the labels read as the time of day and never jump back.
    const Clock &clock = m_services.clock;
    const double anchor = QDate::currentDate().startOfDay().toSecsSinceEpoch() +
                          clock.secondsSinceMidnight() - clock.now();
    m_strip1->setClock([&clock, anchor] { return anchor + clock.now(); });

    m_check2 = new TriStateCheckBox(QStringLiteral("Graphing is Stopped"), this);
    m_check2->setObjectName("Check2");
    m_command6 = new QPushButton(QStringLiteral("Clear Graph"), this);
    m_command6->setObjectName("Command6");

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(twips(this, 90), fontMetrics().height() + twips(this, 60), twips(this, 90),
                             twips(this, 90));
    grid->addWidget(m_strip1, 0, 0, 1, 3);
    grid->addWidget(m_check2, 1, 0);
    grid->addWidget(m_command6, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);

    connect(m_command6, &QPushButton::clicked, this,
            [this] { runGuarded(m_services.ui, window(), [this] { Command6_Click(); }); });
    connect(m_strip1, &StripChart::mouseButtonPressed, this, [this](Qt::MouseButton button) {
        runGuarded(m_services.ui, window(), [&] { Strip1_MouseDown(buttonNumber(button)); });
    });
}

void GraphPanel::Command6_Click()
{
    // Clearing also brings the chart back to the live view (scroll back 0).
    m_strip1->clear();
}

void GraphPanel::Strip1_MouseDown(int button)
{
    if (button != 1)
        return;
    m_strip1->addTimeStamp(StampNumber, timeOfDayText(m_services.clock.secondsSinceMidnight()));
}

} // namespace ort
