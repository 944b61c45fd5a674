#pragma once

#include "framework/template_dialog.h"

#include <functional>

class QLineEdit;

namespace ombrelis {

// Asks for one integer in a range through an edit control that takes digits
// only. OK with an empty or out-of-range entry reports it and keeps the
// dialog open with the focus back in the edit control.
class CIntegerDialog : public TemplateDialog {
    Q_OBJECT
public:
    struct Template {
        const char *title;
        int width;
        int height;
        const char *prompt;
        int editId;
        int initialValue;
        int minimum;
        int maximum;
    };

    explicit CIntegerDialog(const Template &dialog, QWidget *parent = nullptr);

    int value() const { return value_; }
    QLineEdit *edit() const { return edit_; }

    // Shows why an entry was refused; a message box unless replaced.
    std::function<void(const QString &)> reportInvalid;

    void accept() override;

private:
    QLineEdit *edit_;
    int value_;
    int minimum_;
    int maximum_;
};

// "Number of Sampling Points Dialog" (template 137): 16..4096, starting at 5.
class CSamplingCountDialog : public CIntegerDialog {
    Q_OBJECT
public:
    explicit CSamplingCountDialog(QWidget *parent = nullptr);
};

// "Tangent Length Dialog" (template 138): 5..25, starting at 15.
class CTangentLengthDialog : public CIntegerDialog {
    Q_OBJECT
public:
    explicit CTangentLengthDialog(QWidget *parent = nullptr);
};

}  // namespace ombrelis
