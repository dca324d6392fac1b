// Renders every instrument widget offscreen to PNG for review:
//   QT_QPA_PLATFORM=offscreen widgets_gallery [folder]
#include "widgets/lineargauge.h"
#include "widgets/panel3d.h"
#include "widgets/percentbar.h"
#include "widgets/rotaryselector.h"
#include "widgets/stripchart.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

using namespace ort;

namespace {

QString g_dir;

void save(QWidget *w, const char *name)
{
    w->show();
    QApplication::processEvents();
    const QString path = g_dir + "/" + name + ".png";
    w->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

const QStringList RateLabels = {"0.0625", "0.125", "0.25", "0.5", "  1", "  2", "  4", "  8"};

void chartPictures()
{
    // Ten minutes at 20 samples a second on a clock that starts at 14:05:00 today.
    double now = QDateTime(QDate::currentDate(), QTime(14, 5, 0)).toMSecsSinceEpoch() / 1000.0;
    StripChart chart;
    chart.setClock([&now] { return now; });
    chart.resize(640, 320);
    chart.setTraceCaption(0, "Remote Temperature");
    chart.setTraceCaption(1, "Local Temperature");
    chart.setTimeCaption("Time");
    chart.setValueCaption("Temperature (C)");
    save(&chart, "chart_empty");
    for (int i = 0; i < 600 * 20; ++i) {
        const double t = i / 20.0;
        chart.addSample(0, std::round(60 + 40 * std::sin(t / 19.0)));
        chart.addSample(1, std::round(28 + 2 * std::sin(t / 7.0)) + (i % 97 == 0 ? 30 : 0));
        if (i % (20 * 130) == 20 * 65)
            chart.addTimeStamp(0.1, QDateTime::fromMSecsSinceEpoch(qint64(now * 1000)).toString("hh:mm:ss"));
        now += 0.05;
    }
    save(&chart, "chart_live");
    chart.setScrollBack(200);
    save(&chart, "chart_panned");
    chart.setScrollBack(0);
    chart.zoomOut();
    chart.zoomOut();
    save(&chart, "chart_zoomed_out");
    chart.clear();
    chart.addSample(0, -127);
    chart.addSample(1, 127);
    save(&chart, "chart_cleared");
}

void gaugePictures()
{
    QWidget box;
    auto *layout = new QVBoxLayout(&box);
    auto gauge = [&](double lo, double hi, const QString &loText, const QString &hiText) {
        auto *g = new LinearGauge;
        g->setLabel("Min   Max");
        g->setBand(lo, hi);
        g->setPointerValue(LinearGauge::LowPointer, lo);
        g->setPointerValue(LinearGauge::HighPointer, hi);
        g->setCaption(2, loText);
        g->setCaption(3, hiText);
        layout->addWidget(g);
        return g;
    };
    gauge(128, 218, "0 C", "90 C");
    gauge(55, 255, "-55 C", "127 C");
    gauge(0, 5, "-128 C", "-5 C");
    gauge(20, 30, "-20 C", "-30 C")->setFocus();
    box.resize(360, box.sizeHint().height());
    save(&box, "gauges");
}

void selectorPictures()
{
    QWidget box;
    auto *layout = new QHBoxLayout(&box);
    for (int position : {0, 4, 7}) {
        auto *s = new RotarySelector;
        s->setLabels(RateLabels);
        s->setPosition(position);
        layout->addWidget(s);
    }
    save(&box, "selectors");
}

void barPictures()
{
    QWidget box;
    auto *layout = new QVBoxLayout(&box);
    const struct {
        double value;
        const char *text;
    } bars[] = {{0, "Remote Temp. = -128C"}, {49, "Remote Temp. = -1C"}, {50, "Local Temp. = 0C"},
                {60, "Remote Temp. = +25C"}, {100, "Local Temp. = +127C"}, {0, ""}};
    for (const auto &b : bars) {
        auto *bar = new PercentBar;
        bar->setValue(b.value);
        bar->setText(b.text);
        layout->addWidget(bar);
    }
    box.resize(300, box.sizeHint().height());
    save(&box, "bars");
}

void panelPictures()
{
    QWidget box;
    auto *layout = new QVBoxLayout(&box);
    auto lamp = [&](const QString &text, QColor colour, Panel3D::Bevel bevel) {
        auto *p = new Panel3D(text);
        p->setBackgroundColor(colour);
        p->setBevel(bevel);
        p->setMinimumHeight(34);
        layout->addWidget(p);
        return p;
    };
    lamp("Alert Detect Off", QColor(192, 192, 192), Panel3D::Raised);
    lamp("No Alert Detected", QColor(0, 255, 0), Panel3D::Raised);
    lamp("Alert Detected", QColor(255, 0, 0), Panel3D::Raised);
    lamp("Standby Mode is Off", QColor(192, 192, 192), Panel3D::Inset);
    auto *frame = lamp("Alert Status", QColor(192, 192, 192), Panel3D::Raised);
    frame->setCaptionAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto *inner = new QVBoxLayout(frame);
    inner->setContentsMargins(8, 24, 8, 8);
    auto *child = new Panel3D("Inset lamp inside a frame");
    child->setBevel(Panel3D::Inset);
    child->setBackgroundColor(QColor(0, 255, 0));
    child->setMinimumHeight(28);
    inner->addWidget(child);
    box.resize(260, box.sizeHint().height());
    save(&box, "panels");
}

// All of them together, roughly as a monitoring page would hold them.
void sheetPicture()
{
    double now = QDateTime(QDate::currentDate(), QTime(9, 30, 0)).toMSecsSinceEpoch() / 1000.0;
    QWidget sheet;
    auto *grid = new QGridLayout(&sheet);
    auto *chart = new StripChart;
    chart->setClock([&now] { return now; });
    chart->setTraceCaption(0, "Remote Temperature");
    chart->setTraceCaption(1, "Local Temperature");
    chart->setValueCaption("Temperature (C)");
    chart->setTimeSpan(30);
    for (int i = 0; i < 200 * 45; ++i) {
        chart->addSample(0, std::round(45 + 30 * std::sin(i / 900.0)));
        chart->addSample(1, 27);
        now += 0.005;
    }
    chart->addTimeStamp(0.1, "09:30:40");
    auto *remote = new LinearGauge;
    auto *local = new LinearGauge;
    for (LinearGauge *g : {remote, local}) {
        g->setLabel("Min   Max");
        g->setBand(128, 218);
        g->setPointerValue(1, 128);
        g->setPointerValue(2, 218);
        g->setCaption(2, "0 C");
        g->setCaption(3, "90 C");
    }
    auto *rate = new RotarySelector;
    rate->setLabels(RateLabels);
    rate->setPosition(7);
    auto *lamp = new Panel3D("Alert Detected");
    lamp->setBackgroundColor(QColor(255, 0, 0));
    lamp->setMinimumHeight(30);
    auto *remoteBar = new PercentBar;
    remoteBar->setValue(int((75 + 128) / 2.55));
    remoteBar->setText("Remote Temp. = +75C");
    auto *localBar = new PercentBar;
    localBar->setValue(int((27 + 128) / 2.55));
    localBar->setText("Local Temp. = +27C");
    grid->addWidget(chart, 0, 0, 1, 2);
    grid->addWidget(remote, 1, 0);
    grid->addWidget(local, 2, 0);
    grid->addWidget(remoteBar, 3, 0);
    grid->addWidget(localBar, 4, 0);
    grid->addWidget(rate, 1, 1, 3, 1);
    grid->addWidget(lamp, 4, 1);
    sheet.resize(720, 620);
    save(&sheet, "sheet");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    g_dir = argc > 1 ? argv[1] : "/tmp/widgets_gallery";
    QDir().mkpath(g_dir);
    chartPictures();
    gaugePictures();
    selectorPictures();
    barPictures();
    panelPictures();
    sheetPicture();
    return 0;
}
