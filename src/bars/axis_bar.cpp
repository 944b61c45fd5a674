#include "bars/axis_bar.h"

#include "curves/number_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <memory>
#include <vector>

namespace ombrelis {

namespace {

constexpr int kGripThickness = 7;

// The thin handle by which a bar is dragged, floated (double click) and
// docked again; it leaves mouse events to the dock widget.
class BarGrip : public QWidget {
public:
    explicit BarGrip(QWidget *parent) : QWidget(parent) { }
    QSize sizeHint() const override { return {kGripThickness, kGripThickness}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect r = rect().adjusted(2, 2, -2, -2);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
    }
};

}  // namespace

CAxisBar::CAxisBar(const QString &title, int templateId, QSize unitsSize,
                   Qt::Orientation orientation, QWidget *parent)
    : QDockWidget(title, parent),
      units_(dialogFont()),
      orientation_(orientation),
      panel_(new QWidget(this))
{
    setObjectName(QStringLiteral("bar%1").arg(templateId));
    setFont(dialogFont());
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setAllowedAreas(orientation == Qt::Horizontal
                        ? Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea
                        : Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setTitleBarWidget(new BarGrip(this));
    const QSize size = units_.size(unitsSize.width(), unitsSize.height());
    if (orientation == Qt::Horizontal)
        panel_->setMinimumHeight(size.height());
    else
        panel_->setMinimumWidth(size.width());
    panel_->setBaseSize(size);
    setWidget(panel_);
}

Qt::DockWidgetArea CAxisBar::homeArea() const
{
    return orientation_ == Qt::Horizontal ? Qt::BottomDockWidgetArea : Qt::LeftDockWidgetArea;
}

QWidget *CAxisBar::control(int id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

std::vector<QWidget *> CAxisBar::tabStops() const
{
    // Qt leaves only one radio button of a group in its own tab chain; here
    // each of them is a stop, so that Tab alone reaches every curve.
    std::vector<QWidget *> stops;
    const auto children = panel_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->focusPolicy() != Qt::NoFocus && child->isEnabled() && !child->isHidden())
            stops.push_back(child);
    }
    return stops;
}

std::vector<int> CAxisBar::commandIds() const
{
    std::vector<int> ids;
    for (const auto &entry : commandControls_)
        ids.push_back(entry.first);
    return ids;
}

void CAxisBar::updateCommandControls(const std::function<CommandUpdate(int)> &stateOf)
{
    for (auto &[id, button] : commandControls_) {
        const CommandUpdate state = stateOf(id);
        button->setEnabled(state.enabled);
        if (state.checked && button->isCheckable())
            button->setChecked(*state.checked);
    }
}

// The controls outlive this part of the bar: nothing they report may reach it.
CAxisBar::~CAxisBar()
{
    for (auto &[id, widget] : controls_) {
        widget->removeEventFilter(this);
        disconnect(widget, nullptr, this, nullptr);
    }
}

void CAxisBar::passCommand(int id)
{
    if (readsFirst_)
        readControls();
    Q_EMIT commandSent(id);
}

void CAxisBar::passNotification(int id, int code)
{
    if (readsFirst_)
        readControls();
    Q_EMIT notified(id, code);
}

void CAxisBar::addControl(int id, BarControlKind kind, const char *text, QRect unitsRect,
                          BarControlStyle style)
{
    const QString caption = *text != '\0' ? QString::fromUtf8(text) : QString();
    const Qt::Alignment alignment = style.alignment;
    switch (kind) {
    case BarControlKind::Static:
        addStatic(caption, unitsRect, alignment, id);
        break;
    case BarControlKind::BorderedStatic:
        addStatic(caption, unitsRect, alignment, id, true);
        break;
    case BarControlKind::Edit:
        addEdit(id, unitsRect, alignment, style.edit);
        break;
    case BarControlKind::LegendBox:
        addLegendBox(id, unitsRect);
        break;
    case BarControlKind::Button:
        addButton(id, caption, unitsRect);
        break;
    case BarControlKind::FlatButton:
        addButton(id, caption, unitsRect, true);
        break;
    case BarControlKind::CheckBox:
        addCheckBox(id, caption, unitsRect);
        break;
    case BarControlKind::Radio:
        if (!radios_)
            radios_ = new QButtonGroup(this);
        addRadio(id, unitsRect, radios_);
        break;
    case BarControlKind::Group:
        addGroup(caption, unitsRect);
        break;
    }
}

void CAxisBar::place(QWidget *widget, QRect unitsRect, int id)
{
    widget->setGeometry(
        units_.rect(unitsRect.x(), unitsRect.y(), unitsRect.width(), unitsRect.height()));
    // Along its length the bar may shrink to its controls, so that the
    // template's margin does not make the main window grow.
    const int reach =
        orientation_ == Qt::Horizontal ? widget->geometry().right() : widget->geometry().bottom();
    lengthNeeded_ = std::max(lengthNeeded_, reach + 2);
    if (orientation_ == Qt::Horizontal)
        panel_->setMinimumWidth(lengthNeeded_);
    else
        panel_->setMinimumHeight(lengthNeeded_);
    if (id != 0) {
        widget->setObjectName(QStringLiteral("control%1").arg(id));
        widget->setProperty("controlId", id);
        controls_[id] = widget;
    }
}

QLabel *CAxisBar::addStatic(const QString &text, QRect unitsRect, Qt::Alignment alignment, int id,
                            bool bordered)
{
    auto *label = new QLabel(text, panel_);
    label->setTextFormat(Qt::PlainText);
    place(label, unitsRect, id);
    // A bordered one-line static is barely taller than its text: centred
    // vertically, the glyphs clear the border. A text too long for it is cut
    // at the right rather than wrapped out of sight.
    const bool oneLine = label->height() < 2 * label->fontMetrics().height();
    label->setWordWrap(!oneLine);
    label->setAlignment(alignment | (bordered && oneLine ? Qt::AlignVCenter : Qt::AlignTop));
    if (bordered) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
    return label;
}

QLineEdit *CAxisBar::addEdit(int id, QRect unitsRect, Qt::Alignment alignment, BarEditStyle style)
{
    auto *box = new BarLineEdit(style, panel_);
    box->setAlignment(alignment);
    box->setTextMargins(0, 0, 0, 0);
    place(box, unitsRect, id);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this,
            [this, box, id, upperCase = style.upperCase](const QString &typed) {
                // Only typed letters become capitals, not the texts the program shows.
                if (upperCase && upperCaseAsCodePage(typed) != typed) {
                    const int caret = box->cursorPosition();
                    box->setText(upperCaseAsCodePage(typed));
                    box->setCursorPosition(caret);
                }
                passNotification(id, kEditChanged);
            });
    return box;
}

BarLegendBox *CAxisBar::addLegendBox(int id, QRect unitsRect)
{
    auto *box = new BarLegendBox(panel_);
    box->setProperty("upperCase", true);
    place(box, unitsRect, id);
    box->installEventFilter(this);
    connect(box, &BarLegendBox::textEdited, this,
            [this, id] { passNotification(id, kEditChanged); });
    return box;
}

QPushButton *CAxisBar::addButton(int id, const QString &text, QRect unitsRect, bool flat)
{
    auto *button = new QPushButton(text, panel_);
    button->setFlat(flat);
    if (flat)  // flat, but with the thin outline that tells it is a button
        button->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid palette(dark); }"
                                             "QPushButton:pressed { background: palette(mid); }"));
    button->setAutoDefault(false);
    addCommandControl(id, button);
    place(button, unitsRect, id);
    return button;
}

QCheckBox *CAxisBar::addCheckBox(int id, const QString &text, QRect unitsRect)
{
    auto *box = new QCheckBox(text, panel_);
    addCommandControl(id, box);
    place(box, unitsRect, id);
    // The template's boxes are sized for a smaller tick box than the style's.
    const int room = box->height() - 1;
    if (box->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, box) > room)
        box->setStyleSheet(
            QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }").arg(room));
    return box;
}

QRadioButton *CAxisBar::addRadio(int id, QRect unitsRect, QButtonGroup *group)
{
    auto *radio = new QRadioButton(panel_);
    group->addButton(radio);
    addCommandControl(id, radio);
    place(radio, unitsRect, id);
    return radio;
}

BarGroupFrame *CAxisBar::addGroup(const QString &title, QRect unitsRect)
{
    auto *group = new BarGroupFrame(title, panel_);
    place(group, unitsRect, 0);
    group->lower();
    return group;
}

void CAxisBar::addCommandControl(int id, QAbstractButton *button)
{
    button->setFocusPolicy(Qt::StrongFocus);
    commandControls_[id] = button;
    connect(button, &QAbstractButton::clicked, this, [this, id] { passCommand(id); });
}

bool CAxisBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const int id = watched->property("controlId").toInt();
        if (id != 0)
            passNotification(id, kEditLostFocus);
    }
    return QDockWidget::eventFilter(watched, event);
}

QString controlText(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *box = qobject_cast<const QLineEdit *>(control))
        return box->text();
    if (const auto *legend = qobject_cast<const BarLegendBox *>(control))
        return legend->text();
    return {};
}

void setControlText(QWidget *control, const QString &text)
{
    if (controlText(control) == text)
        return;
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else if (auto *box = qobject_cast<QLineEdit *>(control))
        box->setText(text);
    else if (auto *legend = qobject_cast<BarLegendBox *>(control))
        legend->setText(text);
}

namespace {

// A control shows at most the characters of this many bytes of a text: many
// times what the largest box has room for, and few enough to lay out at once
// (Qt breaks a word too long for a line by measuring the rest of the word
// anew at each line, which costs the square of the word's length).
constexpr std::size_t kShownBytes = 4096;

// The end of a text that a control holds without showing it.
using UnshownText = std::shared_ptr<const std::string>;
constexpr char kUnshownText[] = "unshownText";

UnshownText unshownText(const QWidget *control)
{
    return control->property(kUnshownText).value<UnshownText>();
}

// The display and the edit box of a legend hold the same end: they share
// it, so that a text of millions of characters is neither kept nor copied
// once more per box.
UnshownText sharedUnshownText(std::string_view text)
{
    static std::vector<std::weak_ptr<const std::string>> held;
    std::erase_if(held, [](const auto &weak) { return weak.expired(); });
    for (const auto &weak : held) {
        if (auto same = weak.lock(); same && *same == text)
            return same;
    }
    auto made = std::make_shared<const std::string>(text);
    held.push_back(made);
    return made;
}

}  // namespace

void readControlText(const QWidget *control, std::string &member)
{
    // In place: a member that held as long a text takes it without a new
    // allocation, which for millions of characters costs more than the copy.
    const QByteArray shown = controlText(control).toUtf8();
    member.assign(shown.constData(), static_cast<std::size_t>(shown.size()));
    if (const UnshownText rest = unshownText(control))
        member.append(*rest);
}

void writeControlText(QWidget *control, std::string_view utf8)
{
    const QByteArray shown = controlText(control).toUtf8();
    const std::string_view shownPart(shown.constData(), static_cast<std::size_t>(shown.size()));
    const UnshownText rest = unshownText(control);
    const std::string_view unshown = rest ? std::string_view(*rest) : std::string_view();
    if (utf8.size() == shownPart.size() + unshown.size() && utf8.starts_with(shownPart) &&
        utf8.substr(shownPart.size()) == unshown)
        return;
    std::size_t cut = std::min(utf8.size(), kShownBytes);
    while (cut > 0 && cut < utf8.size() && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
        --cut;  // back to the start of the character it would cut
    control->setProperty(
        kUnshownText,
        cut < utf8.size() ? QVariant::fromValue(sharedUnshownText(utf8.substr(cut))) : QVariant());
    setControlText(control, QString::fromUtf8(utf8.data(), static_cast<qsizetype>(cut)));
}

bool exceedsShownText(const QString &text)
{
    return static_cast<std::size_t>(text.toUtf8().size()) > kShownBytes;
}

void replaceShownText(QWidget *control, const QString &shown)
{
    std::string whole = shown.toStdString();
    if (const UnshownText rest = unshownText(control))
        whole += *rest;
    writeControlText(control, whole);
}

QString barNumber(double value)
{
    std::string text;
    appendGeneral(text, value, 15);
    return QString::fromStdString(text);
}

double barNumberValue(const QString &text)
{
    return readLeadingReal(text.toStdString());
}

}  // namespace ombrelis
