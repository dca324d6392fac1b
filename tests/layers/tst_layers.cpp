// Folders are layers and includes point down only. The rule is written once,
// as the data below; the test scans every #include "..." of the tree.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Lowest first: a file may include from its own folder and from any folder
// listed before it. Sub-folders belong to their top folder.
const QStringList Layers = {"component", "link", "widgets", "gui", "wizard", "registers", "log", "monitor", "shell"};
// Above every layer: they may include anything, and nothing may include them.
const QStringList Top = {"tests", "bench"};
// Folders a layer may not include although they lie below it: the instrument
// widgets know nothing of the chip.
const QMap<QString, QStringList> Barred = {{"widgets", {"component", "link"}}};

QString topFolder(const QString &path)
{
    return path.section('/', 0, 0);
}

int rank(const QString &folder)
{
    if (Top.contains(folder))
        return int(Layers.size());
    return int(Layers.indexOf(folder));   // -1: not a project folder
}

// Why `file` may not include `header` (both relative to the source root),
// or an empty text when it may.
QString broken(const QString &file, const QString &header)
{
    const QString from = topFolder(file), to = topFolder(header);
    if (rank(to) < 0 || !file.contains('/'))
        return {};
    if (rank(from) < 0)
        return QStringLiteral("%1/ is not one of the layers").arg(from);
    if (Barred.value(from).contains(to))
        return QStringLiteral("%1/ may not include %2/").arg(from, to);
    if (rank(to) > rank(from))
        return QStringLiteral("%1/ may not include %2/, which lies above it").arg(from, to);
    return {};
}

const QStringList SourceSuffixes = {"h", "hpp", "cpp", "cc", "in"};

void collect(const QDir &root, const QString &relative, QStringList &files)
{
    const QDir dir(root.filePath(relative));
    if (dir.exists(QStringLiteral("CMakeCache.txt")))   // a build tree inside the source tree
        return;
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = relative.isEmpty() ? info.fileName() : relative + '/' + info.fileName();
        if (info.isDir() && !info.fileName().startsWith('.'))
            collect(root, path, files);
        else if (info.isFile() && SourceSuffixes.contains(info.suffix()))
            files << path;
    }
}

struct Scan {
    QStringList offences;   // "path:line: #include "x": why"
    int projectIncludes = 0;
    QStringList files;
};

Scan scan(const QString &rootPath)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""));
    const QDir root(rootPath);
    Scan result;
    collect(root, QString(), result.files);
    for (const QString &file : std::as_const(result.files)) {
        QFile f(root.filePath(file));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            result.offences << file + QStringLiteral(": cannot be read");
            continue;
        }
        int line = 0;
        while (!f.atEnd()) {
            const QString text = QString::fromUtf8(f.readLine()).trimmed();
            ++line;
            const QRegularExpressionMatch m = include.match(text);
            if (!m.hasMatch())
                continue;
            QString header = m.captured(1);
            if (header.startsWith('.'))   // relative to the including file
                header = QDir::cleanPath(QFileInfo(file).path() + '/' + header);
            if (rank(topFolder(header)) >= 0)
                ++result.projectIncludes;
            const QString why = broken(file, header);
            if (!why.isEmpty())
                result.offences << QStringLiteral("%1:%2: %3: %4").arg(file).arg(line).arg(text, why);
        }
    }
    return result;
}

} // namespace

class TestLayers : public QObject {
    Q_OBJECT
private slots:
    void rule_data();
    void rule();
    void scanReportsEachOffendingLine();
    void treeIncludesPointDownOnly();
};

void TestLayers::rule_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("header");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("same folder") << "wizard/initform.cpp" << "wizard/devicesearch.h" << true;
    QTest::newRow("shell on the wizard") << "shell/program.cpp" << "wizard/initform.h" << true;
    QTest::newRow("wizard on the shell") << "wizard/initform.cpp" << "shell/program.h" << false;
    QTest::newRow("wizard on gui") << "wizard/initform.cpp" << "gui/errors.h" << true;
    QTest::newRow("gui on the wizard") << "gui/errors.cpp" << "wizard/initform.h" << false;
    QTest::newRow("gui on link") << "gui/services.h" << "link/declare.h" << true;
    QTest::newRow("gui on widgets") << "gui/x.h" << "widgets/panel3d.h" << true;
    QTest::newRow("widgets on gui") << "widgets/panel3d.cpp" << "gui/format.h" << false;
    QTest::newRow("widgets on link") << "widgets/stripchart.cpp" << "link/chip.h" << false;
    QTest::newRow("widgets on the component") << "widgets/scale.h" << "component/clock.h" << false;
    QTest::newRow("link on the component") << "link/linknewcomport.cpp" << "component/busaccess.h" << true;
    QTest::newRow("component on link") << "component/busaccess.cpp" << "link/chip.h" << false;
    QTest::newRow("component sub-folders are one layer") << "component/sim/simbackend.h" << "component/backend.h"
                                                         << true;
    QTest::newRow("component on a sub-folder") << "component/backends.cpp" << "component/sim/simbackend.h" << true;
    QTest::newRow("log on monitor") << "log/readinglog.cpp" << "monitor/cycle.h" << false;
    QTest::newRow("monitor on log") << "monitor/cycle.cpp" << "log/readinglog.h" << true;
    QTest::newRow("registers on monitor") << "registers/editor.cpp" << "monitor/controls.h" << false;
    QTest::newRow("shell on everything") << "shell/mainmenuform.cpp" << "monitor/cycle.h" << true;
    QTest::newRow("tests on anything") << "tests/shell/tst_shell.cpp" << "shell/program.h" << true;
    QTest::newRow("benchmarks on tests") << "bench/shell/shell_gallery.cpp" << "tests/support/testsupport.h" << true;
    QTest::newRow("product on tests") << "shell/program.cpp" << "tests/support/testsupport.h" << false;
    QTest::newRow("product on a benchmark") << "wizard/initform.cpp" << "bench/x.h" << false;
    QTest::newRow("unknown folder") << "tools/x.cpp" << "link/chip.h" << false;
    QTest::newRow("not a project header") << "wizard/initform.cpp" << "tst_wizard.moc" << true;
}

void TestLayers::rule()
{
    QFETCH(QString, file);
    QFETCH(QString, header);
    QFETCH(bool, allowed);
    QCOMPARE(broken(file, header).isEmpty(), allowed);
}

void TestLayers::scanReportsEachOffendingLine()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto write = [&](const QString &path, const QByteArray &text) {
        QVERIFY(QDir(dir.path()).mkpath(QFileInfo(path).path()));
        QFile f(dir.filePath(path));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write("wizard/initform.cpp", "#include \"wizard/initform.h\"\n#include \"gui/ui.h\"\n  #  include \"shell/program.h\"\n");
    write("gui/errors.cpp", "#include <QTimer>\n#include \"../wizard/initform.h\"\n");
    write("link/chip.h", "// #include \"shell/x.h\" is only a comment\n");
    write("build/CMakeCache.txt", "");
    write("build/generated/x.h", "#include \"shell/program.h\"\n");
    write(".git/x.h", "#include \"shell/program.h\"\n");

    const Scan s = scan(dir.path());
    QCOMPARE(s.offences.size(), 2);
    QVERIFY2(s.offences[0].startsWith("gui/errors.cpp:2: "), qPrintable(s.offences[0]));
    QVERIFY(s.offences[0].contains("gui/ may not include wizard/"));
    QVERIFY2(s.offences[1].startsWith("wizard/initform.cpp:3: #  include \"shell/program.h\""),
             qPrintable(s.offences[1]));
    QCOMPARE(s.projectIncludes, 4);
}

void TestLayers::treeIncludesPointDownOnly()
{
    const Scan s = scan(QStringLiteral(ORT_SOURCE_DIR));
    // The scan saw the tree: the shell's own files and its includes of the wizard.
    QVERIFY(s.files.contains("shell/program.cpp"));
    QVERIFY(s.files.contains("tests/layers/tst_layers.cpp"));
    QVERIFY(s.projectIncludes > 100);
    QVERIFY2(s.offences.isEmpty(), qPrintable("\n" + s.offences.join('\n')));
}

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
