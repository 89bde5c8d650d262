#include "PlanView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace kolma {
namespace {

constexpr double kHitTolerance = 4.0;  // [px]
constexpr double kClickSlack = 3.0;    // [px] a press that moves less is a click
constexpr double kWheelStep = 1.25;    // zoom per wheel notch
constexpr double kWheelNotch = 120.0;  // angle delta of one notch
constexpr double kFitMargin = 24.0;    // [px]
constexpr double kMinScale = 1e-6;     // pixels per metre
constexpr double kMaxScale = 1e4;
const QColor kBackground(255, 255, 255);
const QColor kPlaceholderColour(90, 90, 90);

}  // namespace

PlanView::PlanView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Plan"));
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
}

void PlanView::setData(const PlanData* data) {
    data_ = data;
    update();
}

void PlanView::setLook(const PlanLook& look) {
    look_ = look;
    update();
}

void PlanView::setPlaceholder(const QString& text) {
    placeholder_ = text;
    update();
}

PlanGeometry PlanView::planGeometry() const {
    PlanGeometry g;
    g.map = QRectF(rect());
    g.centre = centre_;
    g.scale = scale_;
    return g;
}

QRectF PlanView::visiblePlan() const {
    const PlanGeometry g = planGeometry();
    return QRectF(g.toPlan(g.map.bottomLeft()), g.toPlan(g.map.topRight())).normalized();
}

void PlanView::showAll() {
    if (!data_)
        return;
    if (data_->unplacedCount() == static_cast<int>(data_->nodes.size()))
        return;  // nothing to show yet
    const QRectF bounds = planBounds(*data_);
    const PlanGeometry g = PlanGeometry::fitting(QRectF(rect()), bounds, 1.0, kFitMargin);
    centre_ = g.centre;
    scale_ = std::clamp(g.scale, kMinScale, kMaxScale);
    fitted_ = true;
    followsSize_ = true;
    update();
}

void PlanView::zoomAt(const QPointF& device, double factor) {
    const PlanGeometry before = planGeometry();
    const QPointF anchor = before.toPlan(device);
    scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
    const PlanGeometry after = planGeometry();
    centre_ += anchor - after.toPlan(device);
    followsSize_ = false;
    update();
}

void PlanView::panBy(const QPointF& delta) {
    centre_ += QPointF(-delta.x() / scale_, delta.y() / scale_);
    followsSize_ = false;
    update();
}

void PlanView::centreOn(const QPointF& plan) {
    centre_ = plan;
    followsSize_ = false;
    update();
}

void PlanView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (followsSize_)
        showAll();
}

void PlanView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    if (!data_)
        return;
    if (!textSize_)
        textSize_ = fontTextSize(planFont(), this);
    drawPlan(painter, planGeometry(), *data_, look_, &textSize_);
    if (!placeholder_.isEmpty()) {
        painter.setPen(kPlaceholderColour);
        painter.setFont(planFont());
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, placeholder_);
    }
}

void PlanView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / kWheelNotch;
    if (notches != 0.0)
        zoomAt(event->position(), std::pow(kWheelStep, notches));
    event->accept();
}

void PlanView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !data_)
        return QWidget::mousePressEvent(event);
    pressedAt_ = lastAt_ = event->position();
    moved_ = false;
    gesture_ = Gesture::Pan;
    draggedNode_ = -1;
    const auto hit = elementAt(planGeometry(), *data_, event->position(), kHitTolerance);
    if (draggingEnabled_ && hit && hit->kind == PlanElementKind::Node) {
        if (const auto index = data_->nodeIndex(hit->row)) {
            gesture_ = Gesture::Node;
            draggedNode_ = *index;
        }
    }
}

void PlanView::mouseMoveEvent(QMouseEvent* event) {
    if (gesture_ == Gesture::None)
        return QWidget::mouseMoveEvent(event);
    const QPointF at = event->position();
    const QPointF fromPress = at - pressedAt_;
    if (!moved_ && std::hypot(fromPress.x(), fromPress.y()) < kClickSlack)
        return;
    moved_ = true;
    if (gesture_ == Gesture::Pan) {
        setCursor(Qt::ClosedHandCursor);
        panBy(at - lastAt_);
    } else {
        setCursor(Qt::SizeAllCursor);
        emit nodeMoved(draggedNode_, planGeometry().toPlan(at));
    }
    lastAt_ = at;
}

void PlanView::mouseReleaseEvent(QMouseEvent* event) {
    if (gesture_ == Gesture::None || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const Gesture gesture = gesture_;
    gesture_ = Gesture::None;
    unsetCursor();
    if (moved_) {
        if (gesture == Gesture::Node)
            emit nodeDropped(draggedNode_, planGeometry().toPlan(event->position()));
        return;
    }
    const auto hit = elementAt(planGeometry(), *data_, event->position(), kHitTolerance);
    if (hit)
        emit elementClicked(*hit, event->modifiers().testFlag(Qt::ControlModifier));
    else
        emit backgroundClicked();
}

bool PlanView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !data_)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const auto hit = elementAt(planGeometry(), *data_, help->pos(), kHitTolerance);
    if (hit)
        QToolTip::showText(help->globalPos(), tooltipText(*data_, *hit), this);
    else
        QToolTip::hideText();
    return true;
}

}  // namespace kolma
