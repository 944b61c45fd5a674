// Pure rules of the curve file commands: where Save writes, how the window
// title grows, and the folder that goes with a curve.
#include "curves/curve_file_names.h"
#include "test_support.h"

#include <QTest>

using namespace ombrelis;

class FileRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savePath_data();
    void savePath();
    void windowTitle_data();
    void windowTitle();
    void folderGoesWithTheCurve();
};

void FileRulesTest::savePath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("no folder: current folder") << "a"
                                               << ""
                                               << "a.crv";
    QTest::newRow("script name in file-name form") << "x-y"
                                                   << ""
                                                   << "x_sub_y.crv";
    QTest::newRow("formula") << "(C1+C2)/2"
                             << ""
                             << "_ob_C1_add_C2_cb__div_2.crv";
    QTest::newRow("back to its folder") << "a"
                                        << "/data/one"
                                        << "/data/one/a.crv";
    QTest::newRow("folder with a slash") << "a"
                                         << "/data/one/"
                                         << "/data/one/a.crv";
    QTest::newRow("root folder") << "a"
                                 << "/"
                                 << "/a.crv";
    QTest::newRow("document: path kept, title formed") << "/data/my-dir/b-c"
                                                       << "/data/my-dir"
                                                       << "/data/my-dir/b_sub_c.crv";
    QTest::newRow("name from elsewhere is formed whole") << "/other/b"
                                                         << "/data"
                                                         << "/data/_div_other_div_b.crv";
}

void FileRulesTest::savePath()
{
    QFETCH(QString, name);
    QFETCH(QString, folder);
    auto slot = makeSlot();
    slot->name = name.toStdString();
    slot->folder = folder.toStdString();
    QTEST(QString::fromStdString(curveSavePath(*slot)), "path");
}

void FileRulesTest::windowTitle_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("title");
    QTest::newRow("new window") << "Untitled" << false << "a - ";
    QTest::newRow("second curve") << "a - " << false << "a - a - ";
    QTest::newRow("read-only") << "x - " << true << "a (Lecture seule) - x - ";
    QTest::newRow("document title kept") << "f.crv" << false << "a - f.crv";
    QTest::newRow("only exactly Untitled is empty") << "untitled" << false << "a - untitled";
}

void FileRulesTest::windowTitle()
{
    QFETCH(QString, current);
    QFETCH(bool, readOnly);
    QTEST(QString::fromStdString(curveWindowTitle("a", readOnly, current.toStdString())), "title");
}

void FileRulesTest::folderGoesWithTheCurve()
{
    auto from = makeStraightLine();
    from->name = "a";
    from->folder = "/data/one";
    auto to = makeSlot();
    copySlot(*from, *to);
    QCOMPARE(to->folder, "/data/one");
    QCOMPARE(curveSavePath(*to), "/data/one/a.crv");
    resetSlot(*to);
    QVERIFY(to->folder.empty());
}

QTEST_APPLESS_MAIN(FileRulesTest)
#include "test_file_rules.moc"
