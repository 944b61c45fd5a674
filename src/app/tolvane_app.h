#pragma once

#include "app/recent_file_list.h"
#include "app/recovery_session.h"
#include "framework/command_map.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string_view>

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
    // of `files` in order, then offers what editors left without closing
    // it. False when one of the files cannot be opened.
    bool initInstance(const QStringList &files);

    CMainFrame *mainFrame() const { return mainFrame_.get(); }
    Prompts &prompts() { return prompts_; }
    RecentFileList &recentFiles() { return recentFiles_; }
    RecoverySession &recovery() { return recovery_; }
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
    // Brings the bars to a window that came forward before the registry had it.
    void followNewWindow(CChildFrame *frame);
    // Offers the windows that editors left without closing them, once.
    void offerRecovery();
    // Opens a window as `record` describes it and takes its copy over; false
    // when the copy stays where it was.
    bool openRecoveredWindow(const QString &file, std::string_view record);

    Prompts &prompts_;
    RecentFileList recentFiles_;
    RecoverySession recovery_;  // outlives the windows, which write into it
    CommandMap commands_;
    std::unique_ptr<CMainFrame> mainFrame_;
    // What was wrong with files read before the main window showed, told
    // over it once it does.
    QStringList faultsToTell_;
};

}  // namespace ombrelis
