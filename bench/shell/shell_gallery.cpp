// Renders the shell's windows offscreen to PNG for review:
//   QT_QPA_PLATFORM=offscreen shell_gallery [folder]
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "shell/program.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "/tmp/gallery";
    QDir().mkpath(dir);
    ort::test::SimBoard board;
    ort::test::FakeUi ui;
    ort::Program program(ui, board.clock);
    program.setEndHandler([] {});
    auto save = [&](QWidget *w, const char *name) {
        w->show();
        QApplication::processEvents();
        const QString path = dir + "/" + name + ".png";
        w->grab().save(path);
        std::printf("%s\n", qPrintable(path));
    };
    save(program.showSplash(), "splash");
    save(program.loadMainWindow(), "mainwindow");
    save(program.showAbout(), "about");
    return 0;
}
