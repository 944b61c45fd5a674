#pragma once

#include "bars/bar_controls.h"
#include "framework/command_map.h"
#include "framework/template_dialog.h"

#include <QDockWidget>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ombrelis {

// What one control of a bar's template is.
enum class BarControlKind {
    Static,
    BorderedStatic,
    Edit,       // one line
    LegendBox,  // several lines that wrap
    Button,
    FlatButton,  // flat, with a thin outline
    CheckBox,
    Radio,  // a bar's radio buttons form one exclusive group
    Group,  // a titled frame, drawn behind the controls
};

// How a static or an edit box aligns its text, and what an edit box lets
// the user type.
struct BarControlStyle {
    Qt::Alignment alignment = Qt::AlignLeft;
    BarEditStyle edit{};
};

// One of the application's four axis bars: a dockable panel whose controls
// sit at template positions in dialog units of the bar font. Buttons, check
// boxes and radio buttons send their command identifiers; edit boxes report
// losing the focus and changes. The bar has no close button, so that it is
// only ever shown and hidden by the program.
class CAxisBar : public QDockWidget {
    Q_OBJECT
public:
    ~CAxisBar() override;

    // The control with this identifier, or null.
    QWidget *control(int id) const;
    const DialogUnits &units() const { return units_; }
    Qt::Orientation orientation() const { return orientation_; }
    // Where the bar docks the first time it is shown.
    Qt::DockWidgetArea homeArea() const;

    // Controls to members, and members to controls.
    virtual void readControls() = 0;
    virtual void writeControls() = 0;

    // The controls Tab stops at, in the order of the template: those that
    // take the focus and are enabled.
    std::vector<QWidget *> tabStops() const;

    // Identifiers of the buttons, check boxes and radio buttons.
    std::vector<int> commandIds() const;
    // Enables and checks the command controls as `stateOf` says.
    void updateCommandControls(const std::function<CommandUpdate(int)> &stateOf);

Q_SIGNALS:
    void commandSent(int id);
    void notified(int controlId, int code);

protected:
    // `unitsSize` is the template's size; vertical bars dock left or right,
    // horizontal ones at the top or bottom.
    CAxisBar(const QString &title, int templateId, QSize unitsSize, Qt::Orientation orientation,
             QWidget *parent);

    // Makes the bar read its controls before it passes on any command or
    // notification, so that the handler finds the members current.
    void readBeforePassingOn() { readsFirst_ = true; }

    // Makes the next control of the template. `text` (UTF-8) is the caption
    // of a static, button, check box or group; edit boxes and radio buttons
    // have none. A control of identifier 0 is one nothing refers to.
    void addControl(int id, BarControlKind kind, const char *text, QRect unitsRect,
                    BarControlStyle style);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *addStatic(const QString &text, QRect unitsRect, Qt::Alignment alignment = Qt::AlignLeft,
                      int id = 0, bool bordered = false);
    QLineEdit *addEdit(int id, QRect unitsRect, Qt::Alignment alignment, BarEditStyle style);
    BarLegendBox *addLegendBox(int id, QRect unitsRect);
    QPushButton *addButton(int id, const QString &text, QRect unitsRect, bool flat = false);
    QCheckBox *addCheckBox(int id, const QString &text, QRect unitsRect);
    QRadioButton *addRadio(int id, QRect unitsRect, QButtonGroup *group);
    BarGroupFrame *addGroup(const QString &title, QRect unitsRect);

    void place(QWidget *widget, QRect unitsRect, int id);
    void addCommandControl(int id, QAbstractButton *button);
    void passCommand(int id);
    void passNotification(int id, int code);

    DialogUnits units_;
    Qt::Orientation orientation_;
    QWidget *panel_;
    std::map<int, QWidget *> controls_;
    std::map<int, QAbstractButton *> commandControls_;
    QButtonGroup *radios_ = nullptr;  // made with the first radio button
    bool readsFirst_ = false;
    int lengthNeeded_ = 0;  // pixels the controls need along the bar
};

// The text a static, an edit box or a legend box shows. Setting it leaves a
// control that already shows the text untouched, with its caret in place.
QString controlText(const QWidget *control);
void setControlText(QWidget *control, const QString &text);

// The text of such a control into a member, and a member's text into the
// control, in UTF-8 as the members hold it. Writing leaves a control that
// already holds the text untouched. Of a text of thousands of characters the
// control shows, and lets the user edit, the beginning; it keeps the rest
// unchanged and gives it back after what it shows.
void readControlText(const QWidget *control, std::string &member);
void writeControlText(QWidget *control, std::string_view utf8);
// Whether a control would show only the beginning of `text`.
bool exceedsShownText(const QString &text);
// Puts `shown` in place of what `control` shows, the unseen rest staying
// after it; of a whole text then too long, the control shows the beginning.
void replaceShownText(QWidget *control, const QString &shown);
// A double in general format with up to 15 significant digits, and back.
QString barNumber(double value);
double barNumberValue(const QString &text);

}  // namespace ombrelis
