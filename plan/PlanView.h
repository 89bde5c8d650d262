// The plan window's drawing (objectName "Plan"): draws the plan data with the plan's drawing
// routine, zooms with the wheel about the pointer, pans by dragging the background, moves a node
// dragged with the mouse, shows an element's values as tooltip and reports clicks.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "PlanDrawing.h"

namespace kolma {

class PlanView : public QWidget {
    Q_OBJECT

public:
    explicit PlanView(QWidget* parent = nullptr);

    // The data drawn (not owned; it must live until replaced) and how it is drawn.
    void setData(const PlanData* data);
    void setLook(const PlanLook& look);
    const PlanLook& look() const { return look_; }
    // A text shown in the middle when no node has a place yet.
    void setPlaceholder(const QString& text);
    // Whether nodes may be dragged (not while the layout computes them).
    void setDraggingEnabled(bool enabled) { draggingEnabled_ = enabled; }

    // The current mapping of the widget's area.
    PlanGeometry planGeometry() const;
    // The plan rectangle [m] the widget shows.
    QRectF visiblePlan() const;
    // Shows every placed node and bend.
    void showAll();
    // Scales by `factor` keeping the plan point under the device point where it is.
    void zoomAt(const QPointF& device, double factor);
    // Moves the picture by a device distance.
    void panBy(const QPointF& delta);
    // Brings the plan point to the middle of the widget, keeping the scale.
    void centreOn(const QPointF& plan);
    bool fitted() const { return fitted_; }

signals:
    // A click on an element; `adding` when the control key was held.
    void elementClicked(const kolma::PlanElement& element, bool adding);
    // A click beside every element.
    void backgroundClicked();
    // A node being dragged, by node index, and where it is let go [m].
    void nodeMoved(int node, const QPointF& plan);
    void nodeDropped(int node, const QPointF& plan);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    enum class Gesture { None, Pan, Node };

    const PlanData* data_ = nullptr;
    PlanLook look_;
    QString placeholder_;
    QPointF centre_;      // [m] at the widget's centre
    double scale_ = 1.0;  // pixels per metre
    bool fitted_ = false;
    bool followsSize_ = false;  // shows all until the user zooms or pans
    bool draggingEnabled_ = true;
    Gesture gesture_ = Gesture::None;
    int draggedNode_ = -1;
    bool moved_ = false;
    QPointF pressedAt_;
    QPointF lastAt_;
    TextSize textSize_;  // kept between paints: the numbers are measured once
};

}  // namespace kolma
