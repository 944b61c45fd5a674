#pragma once

#include "framework/command_map.h"

#include <QMdiSubWindow>

namespace ombrelis {

class CMainFrame;
class CTolvaneDoc;
class MyView;
class RecoverySession;
class WindowAutosave;

// The frame of a document window inside the main frame's MDI area. It owns
// the window's document and view, and keeps the window's recovery copy in
// `recovery` while the window has changes.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CMainFrame &mainFrame, RecoverySession &recovery, CTolvaneDoc *document,
                MyView *view);
    ~CChildFrame() override;

    CTolvaneDoc *document() const { return document_; }
    MyView *view() const { return view_; }
    WindowAutosave &autosave() const { return *autosave_; }
    CommandMap &commands() { return commands_; }
    const CommandMap &commands() const { return commands_; }

Q_SIGNALS:
    // The window is going: the main frame drops it from its registry.
    void closing(CChildFrame *frame);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Tab from the plot goes on into the bars rather than round this window.
    bool focusNextPrevChild(bool next) override;

private:
    CMainFrame &mainFrame_;
    CTolvaneDoc *document_;
    MyView *view_;
    WindowAutosave *autosave_;
    CommandMap commands_;
};

}  // namespace ombrelis
