#include "PaintBox.h"

#include <QPainter>

TPaintBox::TPaintBox(std::function<void(QImage&)> painter, QWidget* parent)
    : QWidget(parent), Painter(std::move(painter)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Image = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    update();
}

void TPaintBox::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0)
        return;
    if (Image.size() != size())
        Image = QImage(size(), QImage::Format_RGB32);
    Painter(Image);
    QPainter(this).drawImage(0, 0, Image);
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setBrush(Brush);
    painter.setPen(Pen);
    const int inset = Pen.style() == Qt::NoPen ? 0 : 1;
    painter.drawRect(rect().adjusted(0, 0, -inset, -inset));
}
