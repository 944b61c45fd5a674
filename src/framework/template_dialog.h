#pragma once

#include <QDialog>
#include <QFont>
#include <QRect>

#include <vector>

class QLabel;
class QPushButton;

namespace ombrelis {

// The dialogs are laid out in dialog units, as their templates give them:
// horizontally a quarter, vertically an eighth of the dialog font's base
// character cell.
class DialogUnits {
public:
    explicit DialogUnits(const QFont &font);

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }
    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const;

private:
    int baseWidth_;
    int baseHeight_;
};

// "MS Sans Serif" at 8 points, or the face the system substitutes for it.
QFont dialogFont();

// A fixed-size modal dialog whose controls sit at template positions.
// Button 1 ends it with Accepted, any other button with its identifier, so
// that a caller can tell button 2 from Escape and the close box, which end
// it with Rejected.
class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    // Button identifiers of the templates.
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    TemplateDialog(const QString &title, int width, int height, QWidget *parent = nullptr);

    const DialogUnits &units() const { return units_; }

    // Labels whose text needs more room than their template box, in the
    // font they are drawn with, grow to show it whole: the controls below or
    // beside them move along and the dialog grows to hold them. Done before
    // every showing; a text that fits changes nothing.
    void fitTexts();

protected:
    void showEvent(QShowEvent *event) override;

    QLabel *addStatic(const QString &text, QRect unitsRect,
                      Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
    QPushButton *addButton(const QString &text, int id, QRect unitsRect, bool isDefault = false);

private:
    DialogUnits units_;
    std::vector<QLabel *> statics_;
};

}  // namespace ombrelis
