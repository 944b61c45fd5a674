#pragma once

#include "app/command_map.h"
#include "curves/curve_store.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class CTolvaneApp;

// The plot of one document window. It owns all the window's curves and
// settings and handles the commands that act on them.
class MyView : public QWidget {
    Q_OBJECT
public:
    explicit MyView(CTolvaneApp &app, QWidget *parent = nullptr);
    ~MyView() override;

    CurveStore &store() { return *store_; }
    const CurveStore &store() const { return *store_; }
    CommandMap &commands() { return commands_; }
    const CommandMap &commands() const { return commands_; }

    // Redraws the whole plot and takes the keyboard focus.
    void requestRepaint();

    // Loads `baseName`.crv as curve 3 of a window opened from a file: the
    // slot becomes active and current. Returns the message to show when the
    // file cannot be read or is refused.
    std::optional<QString> openCurveDocument(const QString &baseName);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CTolvaneApp &app_;
    std::unique_ptr<CurveStore> store_;  // large: kept off the stack and out of the widget
    CommandMap commands_;
    QImage frameImage_;  // scratch for painting, reused while the size stays
};
