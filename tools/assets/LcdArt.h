#pragma once
// Shapes of the LCD segments and of the star and robot motifs, as paths in
// the coordinates of the surface they are drawn on.

#include <QPainter>
#include <QPainterPath>

namespace tavro::assets {

// A five-pointed star; rotation in degrees, clockwise.
QPainterPath starPath(QPointF centre, qreal outer, qreal inner, qreal rotation);

// A segment as the liquid crystal shows it: a dark silhouette with a faint
// shadow cast on the panel behind it.
void drawInk(QPainter& p, const QPainterPath& shape);

// Text as a path (Liberation Sans bold), baseline-left at origin.
QPainterPath textPath(QPointF origin, const QString& text, int pixelSize);

// A thick line as an outline path with round ends.
QPainterPath strokePath(const QPainterPath& line, qreal width);

// The seven-segment glyph of a digit in a cell whose top-left is origin.
QPainterPath digitPath(QPointF origin, int digit);

// The robot hero's three LCD parts around column centre cx, standing on ground.
QPainterPath heroBody(qreal cx, qreal ground);
QPainterPath heroStandingArms(qreal cx, qreal ground);
QPainterPath heroCatchingArms(qreal cx, qreal ground);

// A star broken in two by a crack, lying on the ground.
QPainterPath crackedStar(QPointF centre, qreal radius, qreal rotation);
// A burst of rays around a point: a star caught in the net.
QPainterPath sparkle(QPointF centre, qreal radius);
// A landing marker: a down arrow over a short pad, bottom at ground.
QPainterPath landingMarker(qreal cx, qreal ground);
// A small bell.
QPainterPath bellPath(QPointF topLeft, qreal size);

}  // namespace tavro::assets
