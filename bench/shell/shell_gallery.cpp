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
    ort::test::saveWindowPicture(program.showSplash(), dir, "splash");
    ort::test::saveWindowPicture(program.loadMainWindow(), dir, "mainwindow");
    ort::test::saveWindowPicture(program.showAbout(), dir, "about");
    return 0;
}
