#include "view/my_view.h"

#include "curves/number_text.h"
#include "framework/command_ids.h"
#include "view/plot_mapping.h"
#include "view/pointer_editing.h"
#include "view/view_host.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace ombrelis {

// Mouse and keyboard editing: the events are handed to the pointer steps of
// the core, and what they report is shown in the bars and on screen.

void MyView::bindPointerCommands()
{
    setMouseTracking(true);  // readouts and hover follow the pointer with no button held
    setContextMenuPolicy(Qt::PreventContextMenu);  // the right button inserts and deletes
    commands_.bind(cmd::CreateSample, [this] { createSample(); });
}

void MyView::mousePressEvent(QMouseEvent *event)
{
    const ClientSize client{width(), height()};
    if (event->button() == Qt::LeftButton)
        showPointerOutcome(leftButtonDown(*store_, pointer_, client, pointerAt(event)));
    else if (event->button() == Qt::RightButton)
        showPointerOutcome(rightButtonDown(*store_, pointer_, client, pointerAt(event)));
}

void MyView::mouseMoveEvent(QMouseEvent *event)
{
    // A release that never reached the view (a dialog opened mid-drag) ends
    // the drag at the next move with no button held, so that its step closes.
    if (holdsCapture() && event->buttons() == Qt::NoButton)
        showPointerOutcome(leftButtonUp(*store_, pointer_));
    showPointerOutcome(
        pointerMoved(*store_, pointer_, ClientSize{width(), height()}, pointerAt(event)));
}

void MyView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        showPointerOutcome(leftButtonUp(*store_, pointer_));
    else if (event->button() == Qt::RightButton)
        showPointerOutcome(
            rightButtonUp(*store_, pointer_, ClientSize{width(), height()}, pointerAt(event)));
}

// The event's position keeps its fractions: on a high-density screen a
// logical pixel holds several device pixels, and picks tell them apart.
PointerAt MyView::pointerAt(const QMouseEvent *event) const
{
    const QPointF at = event->position();
    return {at.x(), at.y(), plotRatio()};
}

void MyView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Left) {
        stepCursor(*store_, event->key() == Qt::Key_Right ? 1 : -1);
        requestRepaint();
    } else {
        QWidget::keyPressEvent(event);
    }
}

// "Create": a sample at the coordinates in the edit bar's point fields.
void MyView::createSample()
{
    host_.readBar(BarId::Edit);
    const EditBarFields &edit = host_.barFields().edit;
    PointerOutcome outcome;
    if (store_->insertSample(readLeadingReal(edit.pointXText), readLeadingReal(edit.pointYText)))
        outcome.repaint = true;
    else
        outcome.beep = true;
    showPointerOutcome(outcome);
}

// The readouts go to the bar of the current mode; the point fields are the
// edit bar's.
void MyView::showPointerOutcome(const PointerOutcome &outcome)
{
    AxisBarFields &bars = host_.barFields();
    if (outcome.readout) {
        const bool edit = store_->editMode;
        std::string &xText = edit ? bars.edit.cursorXText : bars.display.cursorXText;
        std::string &yText = edit ? bars.edit.cursorYText : bars.display.cursorYText;
        xText = formatNumber(outcome.readout->x);
        yText = formatNumber(outcome.readout->y);
        host_.writeBar(edit ? BarId::Edit : BarId::Display);
    }
    if (outcome.pointFields) {
        bars.edit.pointXText = formatNumber(outcome.pointFields->x);
        bars.edit.pointYText = formatNumber(outcome.pointFields->y);
        host_.writeBar(BarId::Edit);
    }
    if (outcome.beep)
        host_.beep();
    if (outcome.repaint)
        requestRepaint();
}

}  // namespace ombrelis
