// Renders the "Control Center" page offscreen to PNG for review, after
// monitoring on the simulated board after "Easy Setup" (limits 0 and 90 C)
// until the alert lamp has turned red twice, and logging to a file, the
// chart zoomed out to five minutes to show the shaded span of each alert;
// then once more after the log file failed, with the failure in the status
// line, and the box that said so; then the chart's menu, and the chart as "Save
// Picture…" writes it:
//   QT_QPA_PLATFORM=offscreen monitor_gallery [folder]
#include "log/logpanel.h"
#include "shell/mainmenuform.h"
#include "tests/support/programfixture.h"
#include "tests/support/readonlyfile.h"
#include "widgets/panel3d.h"
#include "widgets/stripchart.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <utility>

using namespace ort;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "/tmp/gallery";
    QDir().mkpath(dir);
    QTemporaryDir logDir;
    test::ProgramFixture f;
    MainMenuForm *main = f.finishOn(test::Route::Smbus);
    if (!main)
        return 1;
    auto *tabs = test::control<QTabWidget>(main, "MainTab");
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == "Control Center")
            tabs->setCurrentIndex(i);
    test::saveWindowPicture(main, dir, "controlcenter_off");

    QMetaObject::invokeMethod(test::control<QWidget>(main, "Command1"), "click");
    f.ui.fileAnswers << logDir.filePath("readings.xls");
    test::control<QWidget>(main, "Text1")->setProperty("text", "1");
    QMetaObject::invokeMethod(test::control<QWidget>(main, "MakeLog_CMD"), "click");
    QTimer &timer1 = *test::control<QTimer>(main, "Timer1");
    auto *lamp = test::control<Panel3D>(main, "alert_detect_light");
    auto *chart = test::control<StripChart>(main, "Strip1");
    f.tick(timer1, 800, 0.05);
    QTest::mouseClick(chart, Qt::LeftButton, {}, chart->plotRect().center());
    f.tick(timer1, 400, 0.05);
    // On until the remote temperature passes 90 C and the lamp turns red;
    // then past that alert (the lamp flickers near the limit) and on into
    // the next, two minutes after the first.
    auto untilRed = [&] {
        for (int i = 0; i < 4000 && lamp->caption() != "Alert Detected"; ++i)
            f.tick(timer1, 1, 0.05);
    };
    untilRed();
    f.tick(timer1, 1800, 0.05);
    untilRed();
    f.tick(timer1, 300, 0.05);
    while (chart->timeSpan() < 300)
        chart->zoomOut();
    // The picture shows the page as these ticks left it.
    timer1.stop();
    // The log's count is repainted at the next frame.
    QTest::qWait(2 * StripChart::FrameIntervalMs);
    test::saveWindowPicture(main, dir, "controlcenter");

    // The log file made read-only: the window while the box is open, and the
    // box; saved once the file may be written again, as the pictures are
    // written with the same rights.
    QPixmap window, message;
    {
        test::ReadOnlyFile locked(logDir.filePath("readings.xls"));
        f.ui.whileOpen = [&](const MessageRequest &r) {
            window = main->grab();
            QMessageBox box(r.icon, r.title, r.text, r.buttons);
            box.show();
            QApplication::processEvents();
            message = box.grab();
        };
        timer1.start();
        f.tick(timer1, 30, 0.05);
        timer1.stop();
    }
    for (const auto &[picture, name] : {std::pair(window, "controlcenter_logfailure"), {message, "logfailure_box"}}) {
        picture.save(dir + "/" + name + ".png");
        std::printf("%s/%s.png\n", qPrintable(dir), name);
    }

    f.ui.whileOpen = nullptr;
    const qsizetype boxes = f.ui.messages.size();
    QTest::mouseClick(chart, Qt::RightButton, {}, chart->plotRect().center());
    test::saveWindowPicture(test::control<QMenu>(main, "Strip1Menu"), dir, "graph_menu");
    test::control<QMenu>(main, "Strip1Menu")->hide();
    for (const char *name : {"graph.png", "graph.svg"}) {
        f.ui.fileAnswers << QDir(dir).filePath(name);
        test::control<QAction>(main, "SavePicture")->trigger();
        std::printf("%s\n", qPrintable(QDir(dir).filePath(name)));
    }
    return f.ui.messages.size() == boxes ? 0 : 1;
}
