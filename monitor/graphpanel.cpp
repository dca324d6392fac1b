#include "monitor/graphpanel.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "gui/tristatecheckbox.h"
#include "gui/twips.h"
#include "link/text.h"
#include "widgets/stripchart.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTime>
#include <algorithm>
#include <charconv>
#include <cmath>

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

// A save of a day's readings takes a moment.
struct BusyCursor {
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

void appendValue(QByteArray &out, float value)
{
    if (std::isnan(value))
        return;   // no reading yet
    // The shortest text that reads back as the same float: "28", "-1.5".
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, end - text);
}
} // namespace

GraphPanel::GraphPanel(Services &services, QWidget *parent)
    : Panel3D(tr("Graph"), parent), m_services(services)
{
    setObjectName("SSPanel6");
    setCaptionAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_chart = new StripChart(this);
    m_chart->setObjectName("Strip1");
    m_chart->setAccessibleName(tr("Temperature graph"));
    m_chart->setTraceCaption(RemoteTrace, tr("Remote Temperature"));
    m_chart->setTraceCaption(LocalTrace, tr("Local Temperature"));
    for (int trace : {RemoteTrace, LocalTrace})
        m_chart->setTraceRange(trace, -127, 127);
    m_chart->setTimeCaption(tr("Time"));
    m_chart->setTimeFormat(QStringLiteral("%H:%M:%S "));
    m_chart->setValueCaption(tr("Temperature (C)"));
    m_chart->setValueUnit(QStringLiteral(" °C"));
    m_chart->setMarkCaption(tr("Alert Detected"));
    m_chart->setToolTip(
        tr("Drag the Arrows to zoom in or out, Left Click Timestamps, Right Drag Moves Graph"));
    // The chart's time is the monotonic clock plus an offset taken once: the
    // wall-clock date and time read at one monotonic moment, less that moment.
    // So a chart time is seconds since the epoch, and the date of a reading is
    // the date and time recorded here plus the monotonic time passed since;
    // labels read as the time of day and never jump back, and setting the
    // system clock later moves no reading.
    const Clock &clock = m_services.clock;
    const QDate dayBefore = QDate::currentDate();
    const double monotonic = clock.now();
    const double timeOfDay = std::clamp(clock.secondsSinceMidnight(), 0.0, 86399.999);
    const QDate dayAfter = QDate::currentDate();
    // Midnight between the two dates: a late time of day was read before it.
    const QDate day = dayBefore != dayAfter && timeOfDay >= 43200 ? dayBefore : dayAfter;
    const QDateTime wall(day, QTime::fromMSecsSinceStartOfDay(static_cast<int>(std::lround(timeOfDay * 1000))));
    const double anchor = wall.toMSecsSinceEpoch() / 1000.0 - monotonic;
    m_chart->setClock([&clock, anchor] { return anchor + clock.now(); });

    m_graphBox = new TriStateCheckBox(tr("Graphing is Stopped"), this);
    m_graphBox->setObjectName("Check2");
    m_clearButton = new QPushButton(tr("Clear Graph"), this);
    m_clearButton->setObjectName("Command6");

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(twips(this, 90), fontMetrics().height() + twips(this, 60), twips(this, 90),
                             twips(this, 90));
    grid->addWidget(m_chart, 0, 0, 1, 3);
    grid->addWidget(m_graphBox, 1, 0);
    grid->addWidget(m_clearButton, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);

    connect(m_clearButton, &QPushButton::clicked, this,
            [this] { runGuarded(m_services.ui, window(), [this] { Command6_Click(); }); });
    connect(m_chart, &StripChart::mouseButtonPressed, this, [this](Qt::MouseButton button) {
        runGuarded(m_services.ui, window(), [&] { Strip1_MouseDown(buttonNumber(button)); });
    });

    // The actions sit on the chart too, so their shortcuts work while it has
    // the keyboard and nowhere else.
    m_savePicture = new QAction(tr("Save Picture\u2026"), this);
    m_savePicture->setObjectName("SavePicture");
    m_savePicture->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveReadings = new QAction(tr("Save Readings\u2026"), this);
    m_saveReadings->setObjectName("SaveReadings");
    m_saveReadings->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    for (QAction *action : {m_savePicture, m_saveReadings}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        m_chart->addAction(action);
    }
    m_menu = new QMenu(this);
    m_menu->setObjectName("Strip1Menu");
    m_menu->addActions({m_savePicture, m_saveReadings});
    // popup(), not exec(): the menu must not hold up the measurement ticks.
    connect(m_chart, &StripChart::menuRequested, m_menu, [this](const QPoint &at) { m_menu->popup(at); });
    connect(m_savePicture, &QAction::triggered, this,
            [this] { runGuarded(m_services.ui, window(), [this] { savePicture(); }); });
    connect(m_saveReadings, &QAction::triggered, this,
            [this] { runGuarded(m_services.ui, window(), [this] { saveReadings(); }); });
}

void GraphPanel::Command6_Click()
{
    // Clearing also brings the chart back to the live view (scroll back 0).
    m_chart->clear();
}

void GraphPanel::Strip1_MouseDown(int button)
{
    if (button != 1)
        return;
    m_chart->addTimeStamp(StampNumber, timeOfDayText(m_services.clock.secondsSinceMidnight()));
}

void GraphPanel::savePicture()
{
    const QString path = chosenFile(tr("Save Picture"), tr("PNG Image (*.png);;SVG Drawing (*.svg)"));
    if (path.isEmpty())
        return;
    // Written whole or not at all: a file it replaces stays until the new one is complete.
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(m_chart->size());
        svg.setViewBox(QRect(QPoint(), m_chart->size()));
        // At the web's 96 dots an inch a drawing unit is one pixel of the chart.
        svg.setResolution(96);
        svg.setTitle(caption());
        m_chart->renderPicture(svg);
    } else if (written) {
        const qreal ratio = m_chart->devicePixelRatioF();
        QImage image(m_chart->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        m_chart->renderPicture(image);
        written = image.save(&file, "PNG");
    }
    if (!(written && file.commit()))
        saveFailed(tr("Save Picture"), tr("The picture could not be saved to %1"), path, file.errorString());
}

void GraphPanel::saveReadings()
{
    const QString path = chosenFile(tr("Save Readings"), tr("CSV Files (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const bool written = [&] {
        const BusyCursor busy;
        return file.open(QIODevice::WriteOnly) && writeReadingsCsv(*m_chart, file) && file.commit();
    }();
    if (!written)
        saveFailed(tr("Save Readings"), tr("The readings could not be saved to %1"), path, file.errorString());
}

// Pictures and readings share a folder: the one the user last saved either to.
QString GraphPanel::chosenFile(const QString &caption, const QString &filter)
{
    Settings &settings = m_services.settings;
    const QString path = m_services.ui.saveFileName(window(), caption, filter, settings.folder(Settings::Folder::Saved));
    settings.rememberFolderOf(Settings::Folder::Saved, path);
    return path;
}

void GraphPanel::saveFailed(const QString &title, const QString &what, const QString &path, const QString &reason)
{
    const QString line = what.arg(QDir::toNativeSeparators(path));
    MessageRequest request;
    request.title = title;
    request.text = line + QLatin1Char('.');
    if (!reason.isEmpty())
        request.text += QStringLiteral("\n\n") + reason;
    request.icon = QMessageBox::Warning;
    // In the status line too: a box already open would leave this one unshown.
    m_services.ui.failures().report(failureLine(reason.isEmpty() ? line : line + QStringLiteral(": ") + reason,
                                                tr("Nothing was written.")));
    showFailureBox(m_services.ui, window(), request);
}

bool writeReadingsCsv(const StripChart &chart, QIODevice &out)
{
    constexpr qsizetype Chunk = 1 << 16;
    QByteArray buffer;
    buffer.reserve(Chunk + 128);
    buffer += "time,remote,local,alert\n";
    bool ok = true;
    // A day has about 1.4 million rows but only 86,400 seconds: the date and
    // time up to the second is formed once per second.
    long long second = 0;
    QByteArray secondText;
    chart.forEachChange([&](long long ms, std::span<const float> values) {
        const long long s = ms >= 0 ? ms / 1000 : -((999 - ms) / 1000);
        if (secondText.isEmpty() || s != second) {
            second = s;
            secondText = QDateTime::fromMSecsSinceEpoch(s * 1000).toString(u"yyyy-MM-dd'T'HH:mm:ss").toLatin1();
        }
        const int milli = static_cast<int>(ms - s * 1000);
        buffer += secondText;
        buffer += '.';
        buffer += static_cast<char>('0' + milli / 100);
        buffer += static_cast<char>('0' + milli / 10 % 10);
        buffer += static_cast<char>('0' + milli % 10);
        buffer += ',';
        appendValue(buffer, values[GraphPanel::RemoteTrace]);
        buffer += ',';
        appendValue(buffer, values[GraphPanel::LocalTrace]);
        buffer += values[StripChart::TraceCount] == 1 ? ",1\n" : ",0\n";
        if (buffer.size() >= Chunk) {
            ok = ok && out.write(buffer) == buffer.size();
            buffer.resize(0);
        }
    });
    return ok && out.write(buffer) == buffer.size();
}

} // namespace ort
