#include "framework/template_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ombrelis {

namespace {

// value * numerator / denominator rounded to the nearest integer.
int mulDiv(int value, int numerator, int denominator)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

}  // namespace

DialogUnits::DialogUnits(const QFont &font)
{
    // Every bar and dialog is laid out in the same font: measure it once.
    struct Measured {
        QString fontKey;
        int baseWidth;
        int baseHeight;
    };
    constexpr std::size_t kFontsKept = 4;
    static std::vector<Measured> measured;
    const QString key = font.key();
    const auto known = std::ranges::find(measured, key, &Measured::fontKey);
    if (known != measured.end()) {
        baseWidth_ = known->baseWidth;
        baseHeight_ = known->baseHeight;
        return;
    }
    const QFontMetrics metrics(font);
    // The base width is the mean advance of the 52 Latin letters, rounded.
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = (alphabet / 26 + 1) / 2;
    baseHeight_ = metrics.height();
    if (measured.size() == kFontsKept)
        measured.erase(measured.begin());
    measured.push_back({key, baseWidth_, baseHeight_});
}

int DialogUnits::x(int units) const
{
    return mulDiv(units, baseWidth_, 4);
}

int DialogUnits::y(int units) const
{
    return mulDiv(units, baseHeight_, 8);
}

QRect DialogUnits::rect(int x, int y, int width, int height) const
{
    return {this->x(x), this->y(y), this->x(width), this->y(height)};
}

QSize DialogUnits::size(int width, int height) const
{
    return {x(width), y(height)};
}

QFont dialogFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    // Faces with its metrics come before the generic sans serif face, which
    // is wider and would not let the axis bars fit the main window.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

TemplateDialog::TemplateDialog(const QString &title, int width, int height, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      units_(dialogFont())
{
    setFont(dialogFont());
    setWindowTitle(title);
    setModal(true);
    setFixedSize(units_.size(width, height));
}

QLabel *TemplateDialog::addStatic(const QString &text, QRect unitsRect, Qt::Alignment alignment)
{
    auto *label = new QLabel(text, this);
    label->setGeometry(
        units_.rect(unitsRect.x(), unitsRect.y(), unitsRect.width(), unitsRect.height()));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    return label;
}

QPushButton *TemplateDialog::addButton(const QString &text, int id, QRect unitsRect, bool isDefault)
{
    auto *button = new QPushButton(text, this);
    button->setGeometry(
        units_.rect(unitsRect.x(), unitsRect.y(), unitsRect.width(), unitsRect.height()));
    button->setDefault(isDefault);
    connect(button, &QPushButton::clicked, this, [this, id] { id == kOk ? accept() : reject(); });
    return button;
}

}  // namespace ombrelis
