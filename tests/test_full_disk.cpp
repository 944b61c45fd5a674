// Every writer of the editor and of the batch tool on a real full file
// system: the failure is reported and the old file stays byte for byte.
#include "cli/cli_commands.h"
#include "framework/command_ids.h"
#include "shell_fixture.h"
#include "test_support.h"

#include <QApplication>

#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <unistd.h>

using namespace ombrelis;

namespace {

enum class Writer {
    Save,
    SaveAs,
    SaveAll,
    BatchTool,
    Settings  // the recent-file list, after an open through the Open dialog
};

bool writeProcFile(const char *path, const std::string &text)
{
    const int fd = ::open(path, O_WRONLY);
    const bool written = fd >= 0 && ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    if (fd >= 0)
        ::close(fd);
    return written;
}

// Mounting a file system needs root; another user becomes root of its own
// user namespace where the system allows one. Either way the mounts stay
// private to this process and go with it. Must run before any thread starts.
bool enterPrivateMountNamespace()
{
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (unshare(CLONE_NEWNS | (uid == 0 ? 0 : CLONE_NEWUSER)) != 0)
        return false;
    if (uid != 0 && !(writeProcFile("/proc/self/setgroups", "deny") &&
                      writeProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
                      writeProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")))
        return false;
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool canMount = false;

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

Q_DECLARE_METATYPE(Writer)

class FullDiskTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();

private:
    QString onDisk(const QString &name) const { return shell->folder.filePath("disque/" + name); }
    void fillTheDisk(bool leaveOnePage);
    // Runs the write and returns what the user was told.
    QStringList runEditor(Writer writer, const QString &target);
    QStringList runSettings(const QString &opened);
    QStringList runBatchTool(const QStringList &words);

    std::unique_ptr<ShellFixture> shell;
    QByteArray disk_;
};

void FullDiskTest::init()
{
    if (!canMount)
        QSKIP(
            "mounting a small tmpfs needs root or a user namespace, and neither is available here");
    shell = std::make_unique<ShellFixture>();
    QVERIFY(shell->start());
    QVERIFY(QDir(shell->folder.path()).mkdir("disque"));
    const QByteArray disk = QFile::encodeName(onDisk({}));
    if (mount("ombrelis-test", disk.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") != 0)
        QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs here: ") + strerror(errno)));
    disk_ = disk;
}

void FullDiskTest::cleanup()
{
    if (!shell)
        return;
    if (!disk_.isEmpty())
        QVERIFY2(umount2(disk_.constData(), MNT_DETACH) == 0, strerror(errno));
    disk_.clear();
    const QStringList mismatches = shell->prompts.mismatches;
    shell.reset();
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join('\n')));
}

void FullDiskTest::fillTheDisk(bool leaveOnePage)
{
    QFile filler(onDisk("remplissage"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) { }
    QCOMPARE(filler.write("x", 1), -1);
    if (leaveOnePage)
        QVERIFY(filler.resize(filler.size() / block.size() * block.size() - block.size()));
}

QStringList FullDiskTest::runEditor(Writer writer, const QString &target)
{
    CMainFrame &frame = shell->frame();
    shell->prompts.chooseFile(target);
    frame.runCommand(writer == Writer::SaveAs ? cmd::Curve1SaveAs : cmd::Curve1Open);
    if (writer != Writer::SaveAs) {
        editSlot(frame.activeView()->store(), 0,
                 [&](CurveSlot &c) { c.xLegend = "nouvelle légende"; });
        frame.runCommand(writer == Writer::Save ? cmd::Curve1Save : cmd::SaveAll);
    }
    QStringList errors;
    for (const auto &question : shell->prompts.asked) {
        if (question.kind == ScriptedPrompts::Kind::Error)
            errors << question.detail;
    }
    return errors;
}

// The settings on the disk: the editor starts with them, opens a file and
// quits, which writes them.
QStringList FullDiskTest::runSettings(const QString &opened)
{
    shell->app.reset();
    QSettings::setPath(settingsFormat(), QSettings::UserScope, onDisk({}));
    if (!shell->start())
        return {"the editor did not start"};
    shell->prompts.chooseFile(opened);
    shell->frame().runCommand(cmd::FileOpen);
    shell->app.reset();
    QSettings::setPath(settingsFormat(), QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return {};
}

QStringList FullDiskTest::runBatchTool(const QStringList &words)
{
    std::vector<std::string> arguments;
    for (const QString &word : words)
        arguments.push_back(word.toStdString());
    std::ostringstream out, err;
    const int code = runCli(arguments, out, err);
    const QString message = QString::fromStdString(err.str());
    return {QString::number(code), message.endsWith('\n') ? message.chopped(1) : message};
}

void FullDiskTest::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("words");  // the batch tool's command line
    // Paths relative to the editor's current folder; the disk is "disque".
    const QString ramp = qEnvironmentVariable("OMBRELIS_EXAMPLES") + "/ramp.crv";
    QTest::newRow("editor Save") << Writer::Save << "a.crv" << QStringList();
    QTest::newRow("editor Save As") << Writer::SaveAs << "a.crv" << QStringList();
    QTest::newRow("editor Save All") << Writer::SaveAll << "a.crv" << QStringList();
    QTest::newRow("convert .crv") << Writer::BatchTool << "sortie.crv"
                                  << QStringList{"convert", ramp, "--out", "disque/sortie.crv"};
    QTest::newRow("convert .csv") << Writer::BatchTool << "sortie.csv"
                                  << QStringList{"convert", ramp, "--out", "disque/sortie.csv"};
    QTest::newRow("import") << Writer::BatchTool << "sortie.crv"
                            << QStringList{"import", "mesures.csv", "--out", "disque/sortie.crv"};
    QTest::newRow("script --out") << Writer::BatchTool << "sortie.crv"
                                  << QStringList{"script", "C2=C1*2+X", "--c1",
                                                 ramp,     "--out",     "disque/sortie.crv"};
    for (const char *extension : {"png", "svg", "pdf"}) {
        const QString target = QStringLiteral("image.") + extension;
        QTest::addRow("render .%s", extension)
            << Writer::BatchTool << target
            << QStringList{"render", ramp, "--out", "disque/" + target};
    }
    // One page free: room for the lock beside the file, none for the file.
    QTest::newRow("settings") << Writer::Settings << "ombrelis/ombrelis.conf" << QStringList();
}

void FullDiskTest::failedWriteKeepsTheOldFile()
{
    QFETCH(Writer, writer);
    QFETCH(QString, target);
    QFETCH(QStringList, words);
    const QString wave = qEnvironmentVariable("OMBRELIS_EXAMPLES") + "/wave.crv";
    const QFileInfo written(onDisk(target));
    QVERIFY(QDir().mkpath(written.path()));
    const QString source =
        writer == Writer::Settings
            ? shell->writeFile("ancien.conf", "[Recent File List]\nFile1=/a.crv\n")
            : wave;
    const QByteArray old = contentOf(source);
    QVERIFY(!old.isEmpty() && QFile::copy(source, written.filePath()));
    QVERIFY(!shell->writeFile("mesures.csv", "x,y\n0,1\n1,2\n").isEmpty());
    fillTheDisk(writer == Writer::Settings);

    const QStringList told = writer == Writer::BatchTool  ? runBatchTool(words)
                             : writer == Writer::Settings ? runSettings(wave)
                                                          : runEditor(writer, written.filePath());
    if (writer == Writer::Settings) {
        QVERIFY2(told.isEmpty(), qPrintable(told.join('\n')));  // nothing to tell
    } else {
        QCOMPARE(told.size(),
                 writer == Writer::BatchTool ? 2 : 1);  // exit code and message, or one message
        if (writer == Writer::BatchTool)
            QCOMPARE(told.first(), "2");
        const QString &message = told.last();
        QVERIFY2(!message.contains('\n') && message.contains("disque/" + target) &&
                     message.contains(qt_error_string(ENOSPC)),
                 qPrintable(message));
    }
    QCOMPARE(contentOf(written.filePath()), old);
    QStringList files{written.fileName()};  // and no temporary left behind
    if (written.dir() == QDir(onDisk({})))
        files << "remplissage";
    files.sort();
    QCOMPARE(written.dir().entryList(QDir::Files | QDir::Hidden), files);
}

int main(int argc, char *argv[])
{
    canMount = enterPrivateMountNamespace();
    QApplication application(argc, argv);
    FullDiskTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_full_disk.moc"
