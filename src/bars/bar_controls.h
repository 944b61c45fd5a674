#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>

namespace ombrelis {

// The text as an upper-case box shows it: each letter whose capital is in
// Windows-1252 gets it, every other character stays (see windows1252Capital).
QString upperCaseAsCodePage(QString text);

// What a bar's edit box lets the user type.
struct BarEditStyle {
    bool upperCase = false;           // letters become capitals as they are typed
    bool legend = false;              // a legend line of a curve file (see isAcceptableLegend)
    bool scrollsHorizontally = true;  // false: typing stops when the box is full
};

// Refuses what a BarEditStyle does not let the user type into a one-line
// box. Text the program sets is shown whatever it is.
class BarEditValidator : public QValidator {
    Q_OBJECT
public:
    BarEditValidator(BarEditStyle style, QLineEdit *box);
    State validate(QString &input, int &pos) const override;

private:
    BarEditStyle style_;
    QLineEdit *box_;
};

// The one-line edit box of the bars. Text pasted or dropped into it that
// would make it hold more than a box shows goes in as a long text from a file
// does: the box shows its beginning and keeps the rest unseen (see
// replaceShownText), so that neither is the text laid out at length nor is
// any of it cut off at QLineEdit's 32767 characters.
class BarLineEdit : public QLineEdit {
    Q_OBJECT
public:
    BarLineEdit(BarEditStyle style, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Pastes the clipboard in place of the selection, as QLineEdit::paste does.
    void pasteClipboard();
    // Puts `inserted` in place of characters [from, to) when the result is
    // longer than a box shows, or refuses it with a beep as typing would be;
    // false for a shorter result, which QLineEdit inserts itself.
    bool insertLong(int from, int to, const QString &inserted);

    BarEditStyle style_;
};

// The several-line, wrapping legend box of the vertical edit bar: capitals,
// and only text a curve file can hold.
class BarLegendBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit BarLegendBox(QWidget *parent);

    QString text() const { return toPlainText(); }
    // Sets the text as the program gives it, without checks or notification.
    void setText(const QString &text);

Q_SIGNALS:
    // The user changed the text.
    void textEdited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // The text after `inserted` replaces the selection.
    QString withInsertion(const QString &inserted) const;
    // Whether the box may hold `text`; refused, it beeps.
    static bool accepts(const QString &text);
    void onTextChanged();

    QString accepted_;
    bool programmatic_ = false;
};

// A group box drawn as the bars' template draws it: a thin frame whose top
// edge runs through the middle of its title. It takes no input. Being a
// group box, it gives assistive technology its title and a grouping role.
class BarGroupFrame : public QGroupBox {
    Q_OBJECT
public:
    BarGroupFrame(const QString &title, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace ombrelis
