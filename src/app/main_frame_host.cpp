#include "app/main_frame.h"

#include "app/child_frame.h"
#include "app/tolvane_app.h"
#include "app/tolvane_doc.h"
#include "view/my_view.h"

#include <QApplication>

#include <algorithm>

// What the frame does for its views. The bars keep only their visibility
// until their windows exist.

void CMainFrame::writeBar(BarId) {}

void CMainFrame::readBar(BarId) {}

void CMainFrame::toggleBar(BarId bar)
{
    bool &visible = barVisible_[static_cast<std::size_t>(bar)];
    visible = !visible;
}

bool CMainFrame::isBarVisible(BarId bar) const
{
    return barVisible_[static_cast<std::size_t>(bar)];
}

Prompts &CMainFrame::prompts()
{
    return app_.prompts();
}

void CMainFrame::addRecentFile(const QString &path)
{
    app_.recentFiles().add(path);
}

QString CMainFrame::documentTitle(const MyView &view) const
{
    const auto found = std::ranges::find(childViews, &view);
    if (found == childViews.end())
        return {};
    return childFrames[static_cast<std::size_t>(found - childViews.begin())]->document()->title();
}

void CMainFrame::setDocumentTitle(const MyView &view, const QString &title)
{
    const auto found = std::ranges::find(childViews, &view);
    if (found != childViews.end())
        childFrames[static_cast<std::size_t>(found - childViews.begin())]->document()->setTitle(title);
}

void CMainFrame::beep()
{
    QApplication::beep();
}
