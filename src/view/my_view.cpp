#include "view/my_view.h"

#include "app/command_ids.h"
#include "app/recent_file_list.h"
#include "app/tolvane_app.h"
#include "curves/curve_file_io.h"
#include "view/plot_scene.h"
#include "view/scene_painter.h"

#include <QPainter>

namespace {

constexpr int kDocumentSlot = 2;  // a file opened as a document is always curve 3

}  // namespace

MyView::MyView(CTolvaneApp &app, QWidget *parent)
    : QWidget(parent), app_(app), store_(std::make_unique<CurveStore>())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    commands_.bind(cmd::Unused32801, [] {});
}

MyView::~MyView() = default;

void MyView::requestRepaint()
{
    update();
    setFocus();
}

std::optional<QString> MyView::openCurveDocument(const QString &baseName)
{
    store_->slots[kDocumentSlot].active = true;
    if (auto failure = readCurveFile(*store_, baseName, kDocumentSlot))
        return failure;
    requestRepaint();
    app_.recentFiles().add(baseName + QStringLiteral(".crv"));
    return std::nullopt;
}

// Every paint rebuilds the whole scene from the curves: nothing drawn is kept.
void MyView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(kPlotBackground));
    paintScene(painter, buildPlotScene(*store_, ClientSize{width(), height()}));
}
