#include "framework/template_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

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

// The width of the widest word of `text`: narrower, a label breaks words.
int widestWord(const QString &text, const QFontMetrics &metrics)
{
    int widest = 0;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words)
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
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
    statics_.push_back(label);
    return label;
}

void TemplateDialog::fitTexts()
{
    const QRect placed = childrenRect();
    for (QLabel *label : statics_) {
        const QRect box = label->geometry();
        // A word wider than the box widens it, up to twice its width; longer
        // runs, such as paths, break where they must at the template width.
        const int widest = widestWord(label->text(), QFontMetrics(label->font()));
        const int grownWidth =
            widest <= 2 * box.width() ? std::max(widest, box.width()) : box.width();
        // The label's measure rounds the text's height up: one pixel over a
        // line of the font's height cuts nothing.
        const int wanted = label->heightForWidth(grownWidth);
        const int grownHeight = wanted > box.height() + 1 ? wanted : box.height();
        const int dx = grownWidth - box.width();
        const int dy = grownHeight - box.height();
        if (dx == 0 && dy == 0)
            continue;
        const auto children = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *other : children) {
            const QRect at = other->geometry();
            if (other == label || other->isWindow())
                continue;
            const bool below = at.top() > box.bottom() && at.left() <= box.right() + dx &&
                               at.right() >= box.left();
            const bool beside = at.left() > box.right() && at.top() <= box.bottom() + dy &&
                                at.bottom() >= box.top();
            other->move(at.topLeft() + QPoint(beside ? dx : 0, below ? dy : 0));
        }
        label->resize(grownWidth, grownHeight);
    }
    // The template's margins stay around the controls that moved.
    const QRect moved = childrenRect();
    const QSize grown(size().width() + std::max(moved.right() - placed.right(), 0),
                      size().height() + std::max(moved.bottom() - placed.bottom(), 0));
    if (grown != size())
        setFixedSize(grown);
}

void TemplateDialog::showEvent(QShowEvent *event)
{
    fitTexts();
    QDialog::showEvent(event);
}

QPushButton *TemplateDialog::addButton(const QString &text, int id, QRect unitsRect, bool isDefault)
{
    auto *button = new QPushButton(text, this);
    button->setGeometry(
        units_.rect(unitsRect.x(), unitsRect.y(), unitsRect.width(), unitsRect.height()));
    button->setDefault(isDefault);
    connect(button, &QPushButton::clicked, this, [this, id] { id == kOk ? accept() : done(id); });
    return button;
}

}  // namespace ombrelis
