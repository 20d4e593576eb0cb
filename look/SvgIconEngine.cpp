#include "SvgIconEngine.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

SvgIconEngine::SvgIconEngine(const QString &fileName) : fileName_(fileName) {}

void SvgIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                          QIcon::State state)
{
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
}

QPixmap SvgIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap SvgIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                                    qreal scale)
{
    Q_UNUSED(state)
    QPixmap pixmap(size * scale);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        QSvgRenderer renderer(fileName_);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(scale);
    if (mode == QIcon::Disabled) {
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    }
    return pixmap;
}

QIconEngine *SvgIconEngine::clone() const
{
    return new SvgIconEngine(fileName_);
}

QString SvgIconEngine::key() const
{
    return QStringLiteral("tempiolo-svg");
}
