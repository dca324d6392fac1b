// The whole device search over the default simulated board, both media,
// driven through the wizard's Next button as the user runs it:
//   QT_QPA_PLATFORM=offscreen bench_search
#include "tests/support/programfixture.h"
#include "wizard/initform.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int runs = 20;
    std::vector<double> ms;
    int entries = 0;
    for (int i = 0; i < runs; ++i) {
        ort::test::ProgramFixture f;
        f.program->bus().transcript().setEnabled(false);
        ort::InitForm *wizard = f.program->wizard();
        wizard->show();
        wizard->NextCMD_Click();
        wizard->findChild<QCheckBox *>("SMBusCheck")->setChecked(true);
        QApplication::processEvents();
        QElapsedTimer t;
        t.start();
        wizard->NextCMD_Click();
        ms.push_back(t.nsecsElapsed() / 1e6);
        entries = wizard->findChild<QListWidget *>("SearchResultsLIST")->count();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("search_entries_found: %d count\n", entries);
    std::printf("search_both_media_median: %.2f ms\n", ms[ms.size() / 2]);
    std::printf("search_both_media_max: %.2f ms\n", ms.back());
    std::printf("search_target: 500 ms\n");
    return 0;
}
