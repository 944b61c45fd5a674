#include "view/my_view.h"

#include "curves/curve_file_io.h"
#include "curves/curve_history.h"
#include "framework/command_ids.h"
#include "view/annotated_plot.h"
#include "view/plot_scene.h"
#include "view/scene_painter.h"
#include "view/vector_state.h"
#include "view/view_host.h"

#include <QFileInfo>
#include <QPainter>

namespace ombrelis {

namespace {

constexpr int kDocumentSlot = 2;  // a file opened as a document is always curve 3

}  // namespace

// Every member of the store has its own initialiser: value-initialising it
// would first zero its half a megabyte of points once more.
MyView::MyView(ViewHost &host, QWidget *parent)
    : QWidget(parent),
      host_(host),
      store_(std::make_unique_for_overwrite<CurveStore>()),
      history_(std::make_unique<CurveHistory>(*store_))
{
    history_->followCaption([this] { return host_.documentTitle(*this).toStdString(); },
                            [this](const std::string &title) {
                                host_.setDocumentTitle(*this, QString::fromStdString(title));
                            });
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Tracé"));
    commands_.bind(cmd::Unused32801, [] {});
    bindPointerCommands();
    bindScriptCommands();
    bindFileCommands();
    bindOptionCommands();
    bindEditCommands();
}

MyView::~MyView() = default;

void MyView::requestRepaint()
{
    update();
    setFocus();
}

bool MyView::openCurveDocument(const QString &baseName, QString *error, QString *fault)
{
    // The bars, shared with the window still in front, name the file only
    // once it is read.
    {
        const CurveStore::Step step(*store_);
        store_->setActive(kDocumentSlot, true);
        // The name is the whole path less its extension; the folder is where it points.
        const QString folder = QFileInfo(baseName + QStringLiteral(".crv")).absolutePath();
        if (!readCurveFile(folder, baseName, kDocumentSlot, error, fault))
            return false;
    }
    clearHistory();  // the window begins with its file: there is nothing before it to undo
    fillDisplayBars();
    requestRepaint();
    host_.addRecentFile(baseName + QStringLiteral(".crv"));
    return true;
}

void MyView::clearHistory()
{
    history_->clear();
}

void MyView::controlNotified(int controlId, int code)
{
    const auto found = notifications_.find({controlId, code});
    if (found != notifications_.end())
        found->second();
}

void MyView::bindNotification(int controlId, int code, std::function<void()> handler)
{
    notifications_[{controlId, code}] = std::move(handler);
}

double MyView::plotRatio() const
{
    return plotRatio_ > 0 ? plotRatio_ : devicePixelRatioF();
}

QImage MyView::annotatedImage() const
{
    const ClientSize client{width(), height()};
    const double ratio = plotRatio();
    const ClientSize device = deviceClient(client, ratio);
    return renderScene(annotatedPlotScene(*store_, client, ratio),
                       QSize(device.width, device.height), toQColor(kPlotBackground));
}

// Every paint rebuilds the whole scene from the curves: nothing drawn is kept.
// It is drawn into an image of the client's device pixels, whose direct pixel
// path is several times faster than filling each run on the widget and gives
// the same pixels: straight into the backing store where it takes the frame
// one to one, or else into a frame of the view's own, then laid over it.
void MyView::paintEvent(QPaintEvent *)
{
    if (size().isEmpty())
        return;
    const ClientSize client{width(), height()};
    const double ratio = plotRatio();
    const ClientSize device = deviceClient(client, ratio);
    const QSize deviceSize(device.width, device.height);
    QPainter widgetPainter(this);
    QImage backingArea = unclippedBackingArea(widgetPainter, deviceSize);
    paintedInPlace_ = !backingArea.isNull();
    if (!paintedInPlace_ && frameImage_.size() != deviceSize)
        frameImage_ = QImage(deviceSize, QImage::Format_RGB32);
    {
        QPainter imagePainter(paintedInPlace_ ? &backingArea : &frameImage_);
        clearUpperVectorState();        // the painter set-up has just run
        store_->resampleDrawnCurves();  // what is drawn, and read until the next paint
        const PlotScene scene = buildPlotScene(*store_, client, ratio);
        paintScene(imagePainter, scene, toQColor(kPlotBackground));
        showCursorReadout(scene);
        // Every change ends in a paint, so the description follows the plot;
        // a new one is announced to assistive technology.
        const QString description = QString::fromStdString(plotDescription(*store_, scene));
        if (description != accessibleDescription())
            setAccessibleDescription(description);
    }
    if (paintedInPlace_)
        return;
    if (deviceSize == size())
        widgetPainter.drawImage(0, 0, frameImage_);
    else
        widgetPainter.drawImage(QRectF(rect()), frameImage_);
}

}  // namespace ombrelis
