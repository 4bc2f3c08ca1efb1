#pragma once
// Drawing of the shell's buttons: the well they sit in, the cap at rest or
// pushed in, the printed label and the rim that frames the well.

#include <QPainter>

#include "Geometry.h"

namespace tavro::assets {

// The well (the hole in the shell) around a cap.
void drawButtonWell(QPainter& p, const geometry::ButtonSpec& b);
// The cap; pressed caps sit one pixel lower and right, darker and flatter.
void drawButtonCap(QPainter& p, const geometry::ButtonSpec& b, bool pressed);
// The thin rim around the well, drawn over both cap states.
void drawButtonRim(QPainter& p, const geometry::ButtonSpec& b);
// The label printed on the shell beside the button.
void drawButtonLabel(QPainter& p, const geometry::ButtonSpec& b);

}  // namespace tavro::assets
