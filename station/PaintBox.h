#pragma once

#include <QBrush>
#include <QImage>
#include <QPen>
#include <QWidget>
#include <functional>

// A surface drawn whole into an off-screen image that lives from one paint to the next (resized only with the
// widget) and is copied to the screen in one operation; never erased by the platform first.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(std::function<void(QImage&)> painter, QWidget* parent = nullptr);

    const QImage& Bitmap() const { return Image; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::function<void(QImage&)> Painter;
    QImage Image;
};

// A filled bar: the shapes over the fixation buttons.
class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent = nullptr) : QWidget(parent) {}

    void SetBrush(const QBrush& brush) {
        Brush = brush;
        update();
    }
    void SetPen(const QPen& pen) {
        Pen = pen;
        update();
    }
    const QBrush& ShapeBrush() const { return Brush; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QBrush Brush{Qt::black};
    QPen Pen{Qt::NoPen};
};
