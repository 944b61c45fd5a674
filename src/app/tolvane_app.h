#pragma once

#include "app/recent_file_list.h"
#include "framework/command_map.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace ombrelis {

class CChildFrame;
class CMainFrame;
class Prompts;

// The application: start-up, the commands that need no window (new window,
// open, recent files, about, quit) and the services the windows share.
class CTolvaneApp {
public:
    static QString applicationName() { return QStringLiteral("Ombrelis"); }

    explicit CTolvaneApp(Prompts &prompts);
    ~CTolvaneApp();
    CTolvaneApp(const CTolvaneApp &) = delete;
    CTolvaneApp &operator=(const CTolvaneApp &) = delete;

    // Creates the main window and the first document window, or opens each
    // of `files` in order. False when one of them cannot be opened.
    bool initInstance(const QStringList &files);

    CMainFrame *mainFrame() const { return mainFrame_.get(); }
    Prompts &prompts() { return prompts_; }
    RecentFileList &recentFiles() { return recentFiles_; }
    CommandMap &commands() { return commands_; }
    const CommandMap &commands() const { return commands_; }

    // Opens `path` as a new document window whose curve 3 is the file, or
    // activates the window that already shows it. Null, after the message
    // has been shown, when the file cannot be opened.
    CChildFrame *openDocumentFile(const QString &path);

    void onFileNew();
    void onFileOpen();
    void onOpenRecentFile(int index);
    void onAppAbout();
    void onAppExit();

private:
    Prompts &prompts_;
    RecentFileList recentFiles_;
    CommandMap commands_;
    std::unique_ptr<CMainFrame> mainFrame_;
    // What was wrong with files read before the main window showed, told
    // over it once it does.
    QStringList faultsToTell_;
};

}  // namespace ombrelis
