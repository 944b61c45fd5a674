#pragma once

#include "curves/curve_store.h"
#include "widgets/command_map.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

class ViewHost;
enum class Bound;
enum class BarId;
struct PlotScene;

// Notification codes a bar's edit box sends to the active view.
inline constexpr int kEditLostFocus = 512;
inline constexpr int kEditChanged = 768;

// The plot of one document window. It owns all the window's curves and
// settings and handles the commands that act on them. What it needs from the
// window around it (bars, questions, other windows) it asks its host.
class MyView : public QWidget {
    Q_OBJECT
public:
    explicit MyView(ViewHost &host, QWidget *parent = nullptr);
    ~MyView() override;

    CurveStore &store() { return *store_; }
    const CurveStore &store() const { return *store_; }
    CommandMap &commands() { return commands_; }
    const CommandMap &commands() const { return commands_; }
    ViewHost &host() const { return host_; }

    // Redraws the whole plot and takes the keyboard focus.
    void requestRepaint();

    // Loads `baseName`.crv as curve 3 of a window opened from a file: the
    // slot becomes active and current. Returns the message to show when the
    // file cannot be read or is refused.
    std::optional<QString> openCurveDocument(const QString &baseName);

    // The bars show the current curve: its name, legends and bounds in the
    // display pair, its legends and bounds in the edit pair. Both write the
    // bars afterwards.
    void fillDisplayBars();
    void fillEditBars();
    // All four names and the current curve's radio button, where the whole
    // window comes into view (activation, leaving edit mode, a new window).
    void refreshCurveNames();
    // Switch the bar pair; neither looks at what is showing.
    void showEditBars();
    void showDisplayBars();
    // Makes the display bar's selected curve the current one.
    void selectCurve();

    // A bar's edit box reports that it lost the focus or changed; the frame
    // passes these on to the active view. Unknown pairs are ignored.
    void controlNotified(int controlId, int code);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    using NotificationKey = std::pair<int, int>;  // control identifier, code
    void bindNotification(int controlId, int code, std::function<void()> handler);

    // Edit mode, the edit bars' boxes and the cursor readout (bars).
    void bindEditCommands();
    void enterEditMode();
    void leaveEditMode();
    void cancelEdit();
    // A bound box lost the focus: the bound takes its value, samples follow.
    void applyTypedBound(Bound bound);
    // A legend box lost the focus: the curve takes its text.
    void applyTypedLegend(BarId bar);
    void showCursorReadout(const PlotScene &scene);

    ViewHost &host_;
    std::unique_ptr<CurveStore> store_;  // large: kept off the stack and out of the widget
    CommandMap commands_;
    std::map<NotificationKey, std::function<void()>> notifications_;
    QImage frameImage_;  // scratch for painting, reused while the size stays
};
