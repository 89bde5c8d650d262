#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace kolma {
namespace {

constexpr int kSize = 32;  // drawn large, scaled down by the toolbar

QIcon drawn(void (*draw)(QPainter&)) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    draw(painter);
    return QIcon(pixmap);
}

void drawPage(QPainter& p, const QRectF& r) {
    p.setBrush(Qt::white);
    p.drawRect(r);
    for (qreal y = r.top() + 5; y < r.bottom() - 2; y += 5)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void drawCut(QPainter& p) {
    p.drawLine(QPointF(9, 3), QPointF(21, 21));
    p.drawLine(QPointF(23, 3), QPointF(11, 21));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(9, 25), 4.5, 4.5);
    p.drawEllipse(QPointF(23, 25), 4.5, 4.5);
}

void drawCopy(QPainter& p) {
    drawPage(p, QRectF(3, 3, 16, 20));
    drawPage(p, QRectF(12, 9, 16, 20));
}

void drawPaste(QPainter& p) {
    p.setBrush(QColor(190, 140, 80));
    p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(10, 2, 8, 5));
    drawPage(p, QRectF(13, 12, 15, 18));
}

void drawTable(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 5, 26, 22));
    p.drawLine(QPointF(3, 11), QPointF(29, 11));
    p.drawLine(QPointF(3, 17), QPointF(29, 17));
    p.drawLine(QPointF(3, 22), QPointF(29, 22));
    p.drawLine(QPointF(11, 5), QPointF(11, 27));
    p.drawLine(QPointF(20, 5), QPointF(20, 27));
}

void drawOpenPath(QPainter& p, const QColor& color, std::initializer_list<QPointF> points) {
    p.setPen(QPen(color, 2.5));
    QPainterPath path;
    path.moveTo(*points.begin());
    for (auto point = points.begin() + 1; point != points.end(); ++point)
        path.lineTo(*point);
    p.drawPath(path);
}

// A pressure line above a ground line, over the axis.
void drawSection(QPainter& p) {
    p.drawLine(QPointF(3, 28), QPointF(29, 28));
    drawOpenPath(p, QColor(30, 90, 200), {{3, 8}, {12, 11}, {20, 12}, {29, 16}});
    drawOpenPath(p, QColor(140, 90, 40), {{3, 22}, {11, 18}, {19, 24}, {29, 21}});
}

}  // namespace

QIcon toolIcon(const QStyle& style, ToolIcon kind) {
    switch (kind) {
        case ToolIcon::Open:
            return style.standardIcon(QStyle::SP_DialogOpenButton);
        case ToolIcon::New:
            return style.standardIcon(QStyle::SP_FileIcon);
        case ToolIcon::Save:
            return style.standardIcon(QStyle::SP_DialogSaveButton);
        case ToolIcon::Exit:
            return style.standardIcon(QStyle::SP_DialogCloseButton);
        case ToolIcon::Cut:
            return drawn(drawCut);
        case ToolIcon::Copy:
            return drawn(drawCopy);
        case ToolIcon::Paste:
            return drawn(drawPaste);
        case ToolIcon::OpenProject:
            return style.standardIcon(QStyle::SP_DirOpenIcon);
        case ToolIcon::NewProject:
            return drawn(drawTable);
        case ToolIcon::Calculate:
            return style.standardIcon(QStyle::SP_MediaPlay);
        case ToolIcon::Section:
            return drawn(drawSection);
        case ToolIcon::Help:
            return style.standardIcon(QStyle::SP_DialogHelpButton);
    }
    return {};
}

}  // namespace kolma
