#include "bars/bar_controls.h"

#include "bars/bound_remap.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>

BarEditValidator::BarEditValidator(BarEditStyle style, QLineEdit *box) : QValidator(box), style_(style), box_(box) {}

QValidator::State BarEditValidator::validate(QString &input, int &pos) const
{
    if (style_.upperCase) {
        const QString upper = input.toUpper();
        // A letter whose capital is longer ("ß") moves the caret with it.
        pos = std::min<int>(static_cast<int>(pos + upper.size() - input.size()), static_cast<int>(upper.size()));
        input = upper;
    }
    if (style_.legend && !isAcceptableLegend(input.toStdString()))
        return Invalid;
    if (!style_.scrollsHorizontally) {
        const QMargins margins = box_->textMargins() + box_->contentsMargins();
        const int room = box_->width() - margins.left() - margins.right() - 6;
        if (box_->fontMetrics().horizontalAdvance(input) > room)
            return Invalid;
    }
    return Acceptable;
}

BarLegendBox::BarLegendBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(1);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    document()->setDefaultTextOption(option);
    connect(this, &QPlainTextEdit::textChanged, this, &BarLegendBox::onTextChanged);
}

void BarLegendBox::setText(const QString &text)
{
    if (text == toPlainText())
        return;
    const QScopedValueRollback guard(programmatic_, true);
    accepted_ = text;
    setPlainText(text);
}

// Typed text is checked after the fact: a refused change is undone at once.
void BarLegendBox::onTextChanged()
{
    if (programmatic_)
        return;
    const QScopedValueRollback guard(programmatic_, true);
    const QString typed = toPlainText();
    const QString upper = typed.toUpper();
    const int caret = textCursor().position();
    if (!isAcceptableLegend(upper.toStdString())) {
        setPlainText(accepted_);
        QApplication::beep();
    } else {
        accepted_ = upper;
        if (upper != typed)
            setPlainText(upper);
    }
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(caret + static_cast<int>(toPlainText().size() - typed.size()), 0,
                                  static_cast<int>(toPlainText().size())));
    setTextCursor(cursor);
    Q_EMIT textEdited();
}

BarGroupFrame::BarGroupFrame(const QString &title, QWidget *parent) : QWidget(parent), title_(title)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BarGroupFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int top = metrics.height() / 2;
    const QRect frame = rect().adjusted(0, top, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
    const int indent = metrics.averageCharWidth();
    const QRect text(indent, 0, metrics.horizontalAdvance(title_) + indent, metrics.height());
    painter.fillRect(text, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(text, Qt::AlignHCenter | Qt::AlignTop, title_);
}
