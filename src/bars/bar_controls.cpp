#include "bars/bar_controls.h"

#include "bars/axis_bar.h"
#include "bars/bound_remap.h"
#include "curves/windows1252.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
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

BarLineEdit::BarLineEdit(BarEditStyle style, QWidget *parent) : QLineEdit(parent), style_(style)
{
    setValidator(new BarEditValidator(style, this));
    setProperty("upperCase", style.upperCase);
    setProperty("scrollsHorizontally", style.scrollsHorizontally);
}

void BarLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly())
        return pasteClipboard();
    QLineEdit::keyPressEvent(event);
}

void BarLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // A middle click pastes the selection where systems have one.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        const int at = cursorPosition();
        if (insertLong(at, at, QGuiApplication::clipboard()->text(QClipboard::Selection)))
            return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void BarLineEdit::dropEvent(QDropEvent *event)
{
    const int at = cursorPositionAt(event->position().toPoint());
    if (event->mimeData()->hasText() && !isReadOnly() &&
        insertLong(at, at, event->mimeData()->text())) {
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(event);
}

// The standard menu, whose Paste item pastes as Ctrl+V does. The item is
// known by its text, translated as QLineEdit translates it, and followed by
// its shortcut unless the application uses that key itself.
void BarLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    const QString pasteText = QLineEdit::tr("&Paste");
    const auto actions = menu->actions();
    for (QAction *action : actions) {
        if (action->text() != pasteText && !action->text().startsWith(pasteText + u'\t'))
            continue;
        disconnect(action, &QAction::triggered, this, nullptr);
        connect(action, &QAction::triggered, this, [this] { pasteClipboard(); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void BarLineEdit::pasteClipboard()
{
    const int from = hasSelectedText() ? selectionStart() : cursorPosition();
    const int to = hasSelectedText() ? selectionEnd() : from;
    if (!insertLong(from, to, QGuiApplication::clipboard()->text()))
        paste();
}

bool BarLineEdit::insertLong(int from, int to, const QString &inserted)
{
    QString result = text();
    result.replace(from, to - from, inserted);
    if (!exceedsShownText(result))
        return false;
    if (style_.upperCase)
        result = upperCaseAsCodePage(result);
    // A box that stops when full has no room for such a text.
    int caret = from;
    if (!style_.scrollsHorizontally ||
        validator()->validate(result, caret) == QValidator::Invalid) {
        QApplication::beep();
        return true;
    }
    replaceShownText(this, result);
    setCursorPosition(
        std::min(from + static_cast<int>(inserted.size()), static_cast<int>(text().size())));
    Q_EMIT textEdited(text());
    return true;
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

QString BarLegendBox::withInsertion(const QString &inserted) const
{
    const QTextCursor cursor = textCursor();
    QString result = toPlainText();
    result.replace(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(),
                   inserted);
    return upperCaseAsCodePage(result);
}

bool BarLegendBox::accepts(const QString &text)
{
    if (isAcceptableLegend(text.toStdString()))
        return true;
    QApplication::beep();
    return false;
}

void BarLegendBox::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty() && !accepts(withInsertion(event->text())))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

// Every paste and drop comes here. Laying out a long word costs the square of
// its length (see kShownBytes): a result longer than a box shows goes in as
// a long text from a file does, its beginning shown and the rest unseen.
void BarLegendBox::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return QPlainTextEdit::insertFromMimeData(source);
    const QString result = withInsertion(source->text());
    if (!accepts(result))
        return;
    if (!exceedsShownText(result))
        return QPlainTextEdit::insertFromMimeData(source);
    const int caret = textCursor().selectionStart() + static_cast<int>(source->text().size());
    replaceShownText(this, result);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(caret, static_cast<int>(text().size())));
    setTextCursor(cursor);
    Q_EMIT textEdited();
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
