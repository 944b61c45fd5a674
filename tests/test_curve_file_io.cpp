#include "curves/crv_format.h"
#include "curves/curve_file_io.h"
#include "file_size_limit.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace ombrelis;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::unique_ptr<CurveSlot> bigCurve()
{
    auto slot = makeStraightLine();
    slot->xLegend = "durée";
    slot->samplingCount = kMaxSampledPoints;
    for (int j = 0; j < kMaxSampledPoints; ++j)
        slot->sampledPoints[j] = {double(j), 2.0 * j};
    return slot;
}

}  // namespace

Q_DECLARE_METATYPE(std::shared_ptr<CurveSlot>)

class TestCurveFileIo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(dir_.isValid()); }
    void writtenFileReadsBack();
    void writeProtectedFileIsNotTouched();
    void missingOrProtectedFolderCannotBeOpened();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void missingFileIsReportedAndChangesNothing();
    void refusedFileChangesNothing();
    void onlyBoundedRegularFilesAreRead_data();
    void onlyBoundedRegularFilesAreRead();
    void nothingButRegularFilesIsReplaced_data();
    void nothingButRegularFilesIsReplaced();

private:
    QString path(const QString &name) const { return dir_.filePath(name); }
    // The names a document opened from `name`.crv in the folder gets.
    CurveFileNames named(const QString &name) const
    {
        return CurveFileNames::ofBaseName(path(name).toStdString());
    }
    QTemporaryDir dir_;
};

void TestCurveFileIo::writtenFileReadsBack()
{
    const auto slot = bigCurve();
    QCOMPARE(writeCurveFile(path("ligne.crv"), *slot), FileWriteResult::Written);
    QCOMPARE(contentOf(path("ligne.crv")).toStdString(), formatCurveFile(*slot));

    auto store = std::make_unique<CurveStore>();
    QVERIFY(readCurveFile(*store, 3, path("ligne.crv"), named("ligne"), nullptr));
    QCOMPARE(store->currentCurve, 3);
    QCOMPARE(QString::fromStdString(store->slots()[3].name), path("ligne"));
    QCOMPARE(store->slots()[3].xLegend, "durée");
    QCOMPARE(store->slots()[3].sampledPoints[4095], (CurvePoint{4095, 8190}));
}

void TestCurveFileIo::writeProtectedFileIsNotTouched()
{
    writeRaw(path("lecture.crv"), "ancien");
    QFile::setPermissions(path("lecture.crv"), QFileDevice::ReadOwner | QFileDevice::ReadUser);
    QCOMPARE(writeCurveFile(path("lecture.crv"), *bigCurve()), FileWriteResult::CannotOpen);
    QCOMPARE(contentOf(path("lecture.crv")), QByteArray("ancien"));
}

void TestCurveFileIo::missingOrProtectedFolderCannotBeOpened()
{
    QCOMPARE(writeCurveFile(path("absent/a.crv"), *bigCurve()), FileWriteResult::CannotOpen);
    QVERIFY(!QFile::exists(path("absent")));
    QDir(dir_.path()).mkdir("dossier.crv");
    QCOMPARE(writeCurveFile(path("dossier.crv"), *bigCurve()), FileWriteResult::CannotOpen);

    QDir(dir_.path()).mkdir("protege");
    QFile::setPermissions(path("protege"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QCOMPARE(writeCurveFile(path("protege/a.crv"), *bigCurve()), FileWriteResult::CannotOpen);
    QVERIFY(!QFile::exists(path("protege/a.crv")));
    QFile::setPermissions(path("protege"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// The file size limit makes the kernel refuse the write as a full disk does,
// without any privilege. Regression: a file small enough to stay in the
// write buffer was refused only inside commit(), which put it in place anyway.
void TestCurveFileIo::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<std::shared_ptr<CurveSlot>>("curve");
    QTest::newRow("larger than the write buffer") << std::shared_ptr<CurveSlot>(bigCurve());
    QTest::newRow("held in the write buffer") << std::shared_ptr<CurveSlot>(makeStraightLine());
}

void TestCurveFileIo::failedWriteKeepsTheOldFile()
{
    QFETCH(std::shared_ptr<CurveSlot>, curve);
    writeRaw(path("plein.crv"), "ancien contenu");
    QString reason;
    {
        const FileSizeLimit limit(100);
        QCOMPARE(writeCurveFile(path("plein.crv"), *curve, &reason), FileWriteResult::WriteFailed);
    }
    QCOMPARE(reason, qt_error_string(EFBIG));
    QCOMPARE(contentOf(path("plein.crv")), QByteArray("ancien contenu"));
    const QStringList files = QDir(dir_.path()).entryList({"plein*"}, QDir::Files | QDir::Hidden);
    QCOMPARE(files.join(' '), "plein.crv");
}

void TestCurveFileIo::missingFileIsReportedAndChangesNothing()
{
    auto store = std::make_unique<CurveStore>();
    QString error;
    QVERIFY(!readCurveFile(*store, 1, path("absent.crv"), named("absent"), &error));
    QVERIFY2(error.contains(path("absent.crv")), qPrintable(error));
    QCOMPARE(store->currentCurve, 0);
    QVERIFY(store->slots()[1].name.empty());
}

void TestCurveFileIo::refusedFileChangesNothing()
{
    writeRaw(path("trop.crv"), "X\n0\n1000\nY\n0\n1000\n40\n");
    auto store = std::make_unique<CurveStore>();
    QString error;
    QVERIFY(!readCurveFile(*store, 2, path("trop.crv"), named("trop"), &error));
    QVERIFY2(error.contains("40 échantillons, 16 au plus."), qPrintable(error));
    QCOMPARE(store->currentCurve, 0);
    QCOMPARE(store->slots()[2].sampleCount, 0);
}

// Regression: /dev/zero filled the memory, a FIFO without writer blocked for ever.
void TestCurveFileIo::onlyBoundedRegularFilesAreRead_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QVERIFY(mkfifo(qPrintable(path("tube.crv")), 0600) == 0);
    QDir(dir_.path()).mkdir("dossier.crv");
    QFile sparse(path("enorme.crv"));
    QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize((qint64{64} << 20) + 1));
    QTest::newRow("FIFO") << path("tube.crv") << "ce n'est pas un fichier ordinaire";
    QTest::newRow("device") << "/dev/zero"
                            << "ce n'est pas un fichier ordinaire";
    QTest::newRow("folder") << path("dossier.crv") << "c'est un dossier";
    QTest::newRow("over 64 MiB") << path("enorme.crv") << "fichier trop volumineux";
}

void TestCurveFileIo::onlyBoundedRegularFilesAreRead()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    QString error;
    std::string content;
    QVERIFY(!readWholeFile(file, &content, &error));
    QVERIFY2(error.contains(file) && error.contains(reason), qPrintable(error));
    if (file.endsWith(".crv")) {
        auto store = std::make_unique<CurveStore>();
        QVERIFY(!readCurveFile(*store, 1, file, CurveFileNames::ofBaseName("x"), nullptr));
        QCOMPARE(store->currentCurve, 0);
    }
}

// Regression: the rename replaced a FIFO, or what a link named, by a plain file.
void TestCurveFileIo::nothingButRegularFilesIsReplaced_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<FileWriteResult>("result");
    QVERIFY(mkfifo(qPrintable(path("noeud")), 0600) == 0);
    QVERIFY(QFile::link(path("noeud"), path("lien-noeud.crv")));
    writeRaw(path("vrai.crv"), "ancien");
    QVERIFY(QFile::link(path("vrai.crv"), path("lien-vrai.crv")));
    QTest::newRow("FIFO") << path("noeud") << FileWriteResult::CannotOpen;
    QTest::newRow("link to a FIFO") << path("lien-noeud.crv") << FileWriteResult::CannotOpen;
    QTest::newRow("link to a regular file") << path("lien-vrai.crv") << FileWriteResult::Written;
}

void TestCurveFileIo::nothingButRegularFilesIsReplaced()
{
    QFETCH(QString, target);
    QFETCH(FileWriteResult, result);
    const auto slot = bigCurve();
    QCOMPARE(writeCurveFile(target, *slot), result);
    struct stat node { };
    QVERIFY(stat(qPrintable(path("noeud")), &node) == 0 && S_ISFIFO(node.st_mode));
    QVERIFY(QFileInfo(path("lien-noeud.crv")).isSymLink());
    QVERIFY(QFileInfo(path("lien-vrai.crv")).isSymLink());
    QCOMPARE(contentOf(path("vrai.crv")).toStdString(),
             result == FileWriteResult::Written ? formatCurveFile(*slot) : "ancien");
}

QTEST_GUILESS_MAIN(TestCurveFileIo)
#include "test_curve_file_io.moc"
