#include "Picture.h"

#include <QPainter>
#include <QSvgRenderer>

Picture::Picture(const QString &resource, QWidget *parent) : QWidget(parent), resource_(resource) {}

Picture::~Picture() = default;

void Picture::paintEvent(QPaintEvent *)
{
    // Read on first use: a picture that is never seen costs nothing.
    if (!renderer_)
        renderer_ = new QSvgRenderer(resource_, this);
    QPainter painter(this);
    renderer_->render(&painter, rect());
}
