#pragma once

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/settings_file.h"
#include "app/tolvane_app.h"
#include "app/tolvane_doc.h"
#include "scripted_prompts.h"
#include "view/my_view.h"

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace ombrelis {

// An editor started with scripted answers, an empty recent-file list in a
// private settings store, a temporary folder as current directory and
// another for the recovery copies.
class ShellFixture {
public:
    ShellFixture() : previousDirectory_(QDir::currentPath())
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_STATE_HOME", QFile::encodeName(stateHome.path()));
        clearSettings();
        QDir::setCurrent(folder.path());
        // Windows closed by tests about other things save nothing.
        prompts.closingAnswerWhenUnscripted = false;
    }

    ~ShellFixture()
    {
        app.reset();
        QDir::setCurrent(previousDirectory_);
    }

    bool start(const QStringList &arguments = {})
    {
        app = std::make_unique<CTolvaneApp>(prompts);
        return app->initInstance(arguments);
    }

    CMainFrame &frame() const { return *app->mainFrame(); }

    QList<QMdiSubWindow *> windows() const { return frame().mdiArea()->subWindowList(); }

    CChildFrame *activeFrame() const { return frame().activeChildFrame(); }

    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

    // A small well-formed curve file in the temporary folder.
    QString curveFile(const QString &name) const
    {
        QByteArray bytes =
            "X\n0\n1000\nY\n0\n1000\n2\n0 0\t-10 0\t10 0\n1000 1000\t990 1000\t1010 1000\n0\n16\n";
        for (int j = 0; j < 16; ++j) {
            const QByteArray v = QByteArray::number(j * 1000 / 15);  // on the line y = x
            bytes += v + ' ' + v + '\n';
        }
        return writeFile(name, bytes);
    }

    // The recovery copies on disk, of every editor that used this fixture's
    // state folder.
    QStringList recoveryCopies() const
    {
        QStringList copies;
        const QDir root(stateHome.filePath(QStringLiteral("ombrelis/recovery")));
        for (const QString &session : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QDir folder(root.filePath(session));
            for (const QString &file : folder.entryList({QStringLiteral("*.rec")}, QDir::Files))
                copies << folder.filePath(file);
        }
        return copies;
    }

    // Empties the test's settings store, and leaves no settings of an earlier
    // version there to be taken over.
    static void clearSettings()
    {
        QSettings(settingsFormat(), QSettings::UserScope, kSettingsOrganisation,
                  kSettingsApplication)
            .clear();
        QFile::remove(oldSettingsFile());
    }

    // Runs pending deletions of closed windows.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QTemporaryDir folder;
    QTemporaryDir stateHome;
    ScriptedPrompts prompts;
    std::unique_ptr<CTolvaneApp> app;

private:
    QString previousDirectory_;
};

}  // namespace ombrelis
