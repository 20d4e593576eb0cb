#pragma once

#include <QIconEngine>
#include <QString>

// Renders an SVG picture at whatever size and pixel ratio an icon is asked
// for, so icons stay crisp on any screen without Qt's SVG icon plugin.
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(const QString &fileName);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    QString fileName_;
};
