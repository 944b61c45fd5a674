#pragma once

#include "curves/curve_store.h"
#include "framework/command_map.h"
#include "view/pointer_editing.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace ombrelis {

class CurveHistory;
class ViewHost;
enum class Bound;
enum class BarId;
struct PlotScene;

// The plot of one document window. It owns all the window's curves and
// settings and handles the commands that act on them. What it needs from the
// window around it (bars, questions, other windows) it asks its host.
class MyView : public QWidget {
    Q_OBJECT
public:
    // my_view.cpp: the window's curves, commands and host, painting.
    explicit MyView(ViewHost &host, QWidget *parent = nullptr);
    ~MyView() override;

    CurveStore &store() { return *store_; }
    const CurveStore &store() const { return *store_; }
    const CurveHistory &history() const { return *history_; }
    // Forgets every step: the window begins with the curves it holds now.
    void clearHistory();
    CommandMap &commands() { return commands_; }
    const CommandMap &commands() const { return commands_; }
    ViewHost &host() const { return host_; }

    // Redraws the whole plot and takes the keyboard focus.
    void requestRepaint();

    // Loads `baseName`.crv as curve 3 of a window opened from a file: the
    // slot becomes active and current. False, with the message to show in
    // *error (if given), when the file cannot be read or is refused. A file
    // read with faults puts what is wrong with it into *fault, to be shown
    // once the window is there.
    bool openCurveDocument(const QString &baseName, QString *error, QString *fault);

    // A bar's edit box reports that it lost the focus or changed; the frame
    // passes these on to the active view. Unknown pairs are ignored.
    void controlNotified(int controlId, int code);

    // my_view_bars.cpp: the bars show the current curve: its name, legends
    // and bounds in the display pair, its legends and bounds in the edit
    // pair. Both write the bars afterwards.
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

    // my_view_edit.cpp: Undo and Redo of the last change to the curves, in
    // either mode; the mode and the edit backup stay as they are.
    void undo();
    void redo();

    // my_view_files.cpp: curve files. The file commands act on slot 0..3
    // (curves 1 to 4).
    void openCurveCommand(int slot);
    // True when the curve's file (curveSavePath) was written.
    bool saveCurveCommand(int slot);
    void saveCurveAsCommand(int slot);
    enum class CurveWrite {
        Written,
        NotWritten,     // refused and dismissed, or failed and reported
        SaveElsewhere,  // refused, and the user asked for another name
    };
    // Writes the slot to `fileName`, asking CReadOnlyDialog when the file
    // cannot be opened and reporting a failed write.
    CurveWrite writeCurveFile(const QString &fileName, int slot);

    // my_view_pointer.cpp: pointer editing. The view holds the pointer from
    // a press that picked something (or armed an insertion) until the
    // release that finds it; meanwhile moves and releases outside the view
    // still arrive.
    const PointerState &pointer() const { return pointer_; }
    bool holdsCapture() const { return pointer_.capture; }

    // my_view.cpp: the device pixels per logical pixel the plot is drawn at,
    // the screen's own unless set. Tests and benchmarks set it to draw as a
    // high-density screen would on a platform of one ratio; 0 gives the
    // screen's back.
    double plotRatio() const;
    void setPlotRatio(double ratio) { plotRatio_ = ratio; }
    // The plot as a report shows it, with ticks, axis titles and key
    // (annotatedPlotScene), in the device pixels the view draws it in, from
    // the sampled points the last paint left.
    QImage annotatedImage() const;
    // The last frame painted into the view's own image, in device pixels;
    // a null image when it went straight into the backing store.
    QImage lastFrame() const { return paintedInPlace_ ? QImage() : frameImage_; }

    // my_view_script.cpp: the script box and the surface.
    // The script box lost the focus: runs its line on this window's curves.
    void runScript();
    // "&Calcul des surfaces": the current curve's area into the display bar.
    void computeSurface();

protected:
    // my_view.cpp
    void paintEvent(QPaintEvent *event) override;

    // my_view_pointer.cpp
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // my_view.cpp
    using NotificationKey = std::pair<int, int>;  // control identifier, code
    void bindNotification(int controlId, int code, std::function<void()> handler);

    // my_view_bars.cpp
    void showCursorReadout(const PlotScene &scene);

    // my_view_edit.cpp: edit mode and the edit bars' boxes.
    void bindEditCommands();
    void enterEditMode();
    void leaveEditMode();
    void cancelEdit();
    // A bound box lost the focus: the bound takes its value, samples follow.
    void applyTypedBound(Bound bound);
    // A legend box lost the focus: the curve takes its text.
    void applyTypedLegend(BarId bar);
    void showRestoredCurves();

    // my_view_files.cpp
    void bindFileCommands();
    // Reads `folder`/`baseName`.crv into the slot, which then remembers the
    // folder, and puts what is wrong with the file into *fault (empty for a
    // well-formed file); false, with the message to show in *error (if
    // given), when it cannot be read or is refused.
    bool readCurveFile(const QString &folder, const QString &baseName, int slot, QString *error,
                       QString *fault);
    void retitleWithCurve(const QString &fileTitle, bool readOnly);

    // my_view_options.cpp: the option commands, bound to their identifiers only.
    void bindOptionCommands();
    void applySampling(int mark, int count);
    void setSmoothing(bool on);

    // my_view_pointer.cpp
    void bindPointerCommands();
    void createSample();
    PointerAt pointerAt(const QMouseEvent *event) const;
    void showPointerOutcome(const PointerOutcome &outcome);

    // my_view_script.cpp
    void bindScriptCommands();

    ViewHost &host_;
    std::unique_ptr<CurveStore> store_;      // large: kept off the stack and out of the widget
    std::unique_ptr<CurveHistory> history_;  // follows the store: made after it, gone before it
    CommandMap commands_;
    std::map<NotificationKey, std::function<void()>> notifications_;
    QImage frameImage_;  // scratch for painting, reused while the size stays
    double plotRatio_ = 0;
    bool paintedInPlace_ = false;  // the last paint went straight into the backing store
    PointerState pointer_;
};

}  // namespace ombrelis
