// What `cmake --install` and `cpack -G DEB` deliver from the build folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int code = -1;
    QString output;  // stdout and stderr together
};

Run run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(300000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

// The launcher's desktop file id, which the AppStream id repeats.
const QString kAppId = QStringLiteral("org.example.ombrelis");

// Every file a desktop and a Debian system need, relative to the prefix.
const QStringList kInstalledFiles = {
    QStringLiteral("bin/ombrelis"),
    QStringLiteral("bin/ombrelis-cli"),
    QStringLiteral("share/applications/") + kAppId + QStringLiteral(".desktop"),
    QStringLiteral("share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml"),
    QStringLiteral("share/mime/packages/ombrelis.xml"),
    QStringLiteral("share/icons/hicolor/scalable/apps/ombrelis.svg"),
    QStringLiteral("share/icons/hicolor/48x48/apps/ombrelis.png"),
    QStringLiteral("share/icons/hicolor/256x256/apps/ombrelis.png"),
    QStringLiteral("share/icons/hicolor/scalable/mimetypes/text-x-ombrelis-curve.svg"),
    QStringLiteral("share/man/man1/ombrelis.1.gz"),
    QStringLiteral("share/man/man1/ombrelis-cli.1.gz"),
    QStringLiteral("share/bash-completion/completions/ombrelis-cli"),
    QStringLiteral("share/doc/ombrelis/copyright"),
    QStringLiteral("share/doc/ombrelis/changelog.gz"),
};

// The tool's path, or an empty string when it is not installed.
QString tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

}  // namespace

class InstallTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void installedTree();
    void launcherValidates();
    void appStreamValidates();
    void versionsAgree();
    void crvTypeByNameAndContent();
    void debianPackage();
    void lintianAcceptsPackage();

private:
    QString prefix() const { return root_.filePath(QStringLiteral("usr")); }
    QTemporaryDir root_;
    QTemporaryDir packages_;
    QString deb_;  // the package debianPackage() made
};

void InstallTest::initTestCase()
{
    QVERIFY(root_.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), root_.path());
    const Run install = run(QStringLiteral(OMBRELIS_CMAKE),
                            {QStringLiteral("--install"), QStringLiteral(OMBRELIS_BUILD_DIR),
                             QStringLiteral("--prefix"), QStringLiteral("/usr")},
                            environment);
    QVERIFY2(install.code == 0, qPrintable(install.output));
}

void InstallTest::installedTree()
{
    for (const QString &file : kInstalledFiles)
        QVERIFY2(QFileInfo(prefix() + u'/' + file).isFile(), qPrintable(file));
    QVERIFY(QFileInfo(prefix() + QStringLiteral("/bin/ombrelis")).isExecutable());
    const Run completion =
        run(QStringLiteral("bash"),
            {QStringLiteral("-n"),
             prefix() + QStringLiteral("/share/bash-completion/completions/ombrelis-cli")});
    QVERIFY2(completion.code == 0, qPrintable(completion.output));
    const Run version =
        run(prefix() + QStringLiteral("/bin/ombrelis-cli"), {QStringLiteral("--version")});
    QCOMPARE(version.output, QStringLiteral("ombrelis-cli 1.1\n"));
}

void InstallTest::launcherValidates()
{
    const QString launcher =
        prefix() + QStringLiteral("/share/applications/") + kAppId + QStringLiteral(".desktop");
    const Run validate = run(QStringLiteral("desktop-file-validate"), {launcher});
    QCOMPARE(validate.code, 0);
    QCOMPARE(validate.output, QString());  // not even a hint
    QFile file(launcher);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains(QStringLiteral("\nExec=ombrelis %F\n")));
    QVERIFY(text.contains(QStringLiteral("\nMimeType=text/x-ombrelis-curve;\n")));
}

// Software centres list the editor only with metadata their validator
// accepts: the file alone, then the installed tree, where the validator also
// looks for the launcher the metadata names.
void InstallTest::appStreamValidates()
{
    const QString appstreamcli = tool("appstreamcli");
    if (appstreamcli.isEmpty())
        QSKIP("appstreamcli is not installed (Debian package appstream)");
    const QString metainfo =
        prefix() + QStringLiteral("/share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml");
    const QStringList checks[] = {{QStringLiteral("validate"), metainfo},
                                  {QStringLiteral("validate-tree"), root_.path()}};
    const QRegularExpression note(QStringLiteral("^\\s*[EWIP]: "),
                                  QRegularExpression::MultilineOption);
    for (const QStringList &check : checks) {
        const Run validate = run(appstreamcli, {check[0], QStringLiteral("--pedantic"),
                                                QStringLiteral("--no-net"), check[1]});
        QVERIFY2(validate.code == 0, qPrintable(validate.output));
        QVERIFY2(!validate.output.contains(note),
                 qPrintable(validate.output));  // not even a pedantic note
    }
}

// The Debian changelog's newest entry and the newest AppStream release are
// the project's version.
void InstallTest::versionsAgree()
{
    const Run changelog =
        run(QStringLiteral("gzip"),
            {QStringLiteral("-dc"), prefix() + QStringLiteral("/share/doc/ombrelis/changelog.gz")});
    QCOMPARE(changelog.code, 0);
    QVERIFY2(changelog.output.startsWith(QStringLiteral("ombrelis (" OMBRELIS_VERSION ") ")),
             qPrintable(changelog.output));
    QFile metainfo(prefix() + QStringLiteral("/share/metainfo/") + kAppId +
                   QStringLiteral(".metainfo.xml"));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(metainfo.readAll());
    const QRegularExpressionMatch release =
        QRegularExpression(QStringLiteral("<release version=\"([^\"]*)\"")).match(text);
    QCOMPARE(release.captured(1), QStringLiteral(OMBRELIS_VERSION));
    QVERIFY(text.contains(QStringLiteral("<id>") + kAppId + QStringLiteral("</id>")));
}

void InstallTest::crvTypeByNameAndContent()
{
    const QString share = prefix() + QStringLiteral("/share");
    const Run update =
        run(QStringLiteral("update-mime-database"), {share + QStringLiteral("/mime")});
    QVERIFY2(update.code == 0, qPrintable(update.output));
    // Before the first QMimeDatabase: the installed folder, then the system's.
    qputenv("XDG_DATA_DIRS", (share + QStringLiteral(":/usr/share")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", root_.filePath(QStringLiteral("home")).toLocal8Bit());

    const QString wave = qEnvironmentVariable("OMBRELIS_EXAMPLES") + QStringLiteral("/wave.crv");
    const QString bare = root_.filePath(QStringLiteral("wave"));
    const QString text = root_.filePath(QStringLiteral("notes"));
    QVERIFY(QFile::copy(wave, bare));
    QFile notes(text);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write(";Legende sans accent\r\n0\r\n");
    notes.close();

    const QMimeDatabase mime;
    QCOMPARE(mime.mimeTypeForFile(wave).name(), QStringLiteral("text/x-ombrelis-curve"));
    QCOMPARE(mime.mimeTypeForFile(bare).name(),
             QStringLiteral("text/x-ombrelis-curve"));  // the magic rule
    QVERIFY(mime.mimeTypeForFile(bare).inherits(QStringLiteral("text/plain")));
    QCOMPARE(mime.mimeTypeForFile(text).name(), QStringLiteral("text/plain"));
}

void InstallTest::debianPackage()
{
    const Run cpack =
        run(QStringLiteral(OMBRELIS_CPACK),
            {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), packages_.path(),
             QStringLiteral("--config"), QStringLiteral(OMBRELIS_BUILD_DIR "/CPackConfig.cmake")});
    QVERIFY2(cpack.code == 0, qPrintable(cpack.output));
    const QStringList packages = QDir(packages_.path()).entryList({QStringLiteral("*.deb")});
    QCOMPARE(packages, QStringList{QStringLiteral("ombrelis_1.1_amd64.deb")});
    const QString deb = packages_.filePath(packages.constFirst());

    const Run info = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--info"), deb});
    QCOMPARE(info.code, 0);
    for (const char *field : {"Package: ombrelis", "Version: 1.1", "Maintainer: ", "Description: "})
        QVERIFY2(info.output.contains(QLatin1String(field)), field);
    QVERIFY2(
        info.output.contains(QRegularExpression(QStringLiteral("Depends: .*libqt6widgets6.*"))),
        qPrintable(info.output));

    const Run contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
    QCOMPARE(contents.code, 0);
    for (const QString &file : kInstalledFiles)
        QVERIFY2(contents.output.contains(QStringLiteral(" ./usr/") + file + u'\n'),
                 qPrintable(file));
    deb_ = deb;
}

// Debian's own package checker finds no error and no warning.
void InstallTest::lintianAcceptsPackage()
{
    const QString lintian = tool("lintian");
    if (lintian.isEmpty())
        QSKIP("lintian is not installed");
    QVERIFY2(!deb_.isEmpty(), "no package was made");
    const Run check =
        run(lintian, {QStringLiteral("--fail-on"), QStringLiteral("error,warning"), deb_});
    QVERIFY2(check.code == 0, qPrintable(check.output));
}

QTEST_GUILESS_MAIN(InstallTest)
#include "test_install.moc"
