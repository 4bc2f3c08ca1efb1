#pragma once
// The mascot in colour: the little robot and its stars, for the manual, the
// splash box, the about portrait and the icon.

#include <QPainter>

namespace tavro::assets {

// The robot fitted into box (drawn in a 100 x 120 design square scaled to it).
// armsUp: arms raised to catch a star.
void drawRobot(QPainter& p, const QRectF& box, bool armsUp);

// A yellow star with a darker edge.
void drawStar(QPainter& p, QPointF centre, qreal radius, qreal rotation);

// A night sky: gradient and small stars scattered by a fixed seed.
void drawNightSky(QPainter& p, const QRectF& area, int starCount, unsigned seed);

}  // namespace tavro::assets
