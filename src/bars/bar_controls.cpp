#include "bars/bar_controls.h"

#include "bars/bound_remap.h"
#include "curves/windows1252.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>

namespace ombrelis {

// Every capital of the code page is a single UTF-16 unit, and surrogates
// have none, so the text keeps its length and caret positions.
QString upperCaseAsCodePage(QString text)
{
    for (QChar &c : text)
        c = QChar(static_cast<char16_t>(windows1252Capital(c.unicode())));
    return text;
}

BarEditValidator::BarEditValidator(BarEditStyle style, QLineEdit *box)
    : QValidator(box), style_(style), box_(box)
{ }

// Capitals are made by the box as the user types (see CAxisBar::addEdit);
// the rules apply to the text as it will then read.
QValidator::State BarEditValidator::validate(QString &input, int &) const
{
    const QString shown = style_.upperCase ? upperCaseAsCodePage(input) : input;
    if (style_.legend && !isAcceptableLegend(shown.toStdString()))
        return Invalid;
    if (!style_.scrollsHorizontally) {
        const QMargins margins = box_->textMargins() + box_->contentsMargins();
        const int room = box_->width() - margins.left() - margins.right() - 6;
        if (box_->fontMetrics().horizontalAdvance(shown) > room)
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

bool BarLegendBox::acceptsInsertion(const QString &inserted) const
{
    const QTextCursor cursor = textCursor();
    QString result = toPlainText();
    result.replace(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(),
                   inserted);
    if (isAcceptableLegend(upperCaseAsCodePage(result).toStdString()))
        return true;
    QApplication::beep();
    return false;
}

void BarLegendBox::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty() && !acceptsInsertion(event->text()))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void BarLegendBox::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText() && !acceptsInsertion(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

// Typed letters become capitals. A change that got past the checks above
// (an input method, say) and is refused all the same is undone.
void BarLegendBox::onTextChanged()
{
    if (programmatic_)
        return;
    const QScopedValueRollback guard(programmatic_, true);
    const QString typed = toPlainText();
    const QString upper = upperCaseAsCodePage(typed);
    const int caret = textCursor().position();
    if (!isAcceptableLegend(upper.toStdString()))
        setPlainText(accepted_);
    else if (upper != typed)
        setPlainText(upper);
    accepted_ = toPlainText();
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(caret + static_cast<int>(accepted_.size() - typed.size()), 0,
                                  static_cast<int>(accepted_.size())));
    setTextCursor(cursor);
    Q_EMIT textEdited();
}

BarGroupFrame::BarGroupFrame(const QString &title, QWidget *parent) : QGroupBox(title, parent)
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
    const QString title = this->title();
    const QRect text(indent, 0, metrics.horizontalAdvance(title) + indent, metrics.height());
    painter.fillRect(text, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(text, Qt::AlignHCenter | Qt::AlignTop, title);
}

}  // namespace ombrelis
