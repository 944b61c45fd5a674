#pragma once

#include "bars/bar_fields.h"

#include <QString>

#include <vector>

namespace ombrelis {

class MyView;
class Prompts;

// Everything a plot view asks of the window around it: the application's
// axis bars, its questions to the user, the recent-file list, the other open
// windows and its document's title. The main frame implements it; tests of
// the view use a double, so the view never needs the application itself.
class ViewHost {
public:
    virtual ~ViewHost() = default;

    // The members of the four bars, shared by every window.
    virtual AxisBarFields &barFields() = 0;
    // Copies a bar's members into its controls.
    virtual void writeBar(BarId bar) = 0;
    // Copies a bar's controls into its members.
    virtual void readBar(BarId bar) = 0;
    // Creates the bar, docked, the first time; later flips its visibility.
    virtual void toggleBar(BarId bar) = 0;
    virtual bool isBarVisible(BarId bar) const = 0;

    virtual Prompts &prompts() = 0;
    virtual void addRecentFile(const QString &path) = 0;

    // The views of every open document window, in the order they were made.
    virtual std::vector<MyView *> openViews() const = 0;
    virtual QString documentTitle(const MyView &view) const = 0;
    virtual void setDocumentTitle(const MyView &view, const QString &title) = 0;

    // The warning sound of a refused edit.
    virtual void beep() = 0;
};

}  // namespace ombrelis
