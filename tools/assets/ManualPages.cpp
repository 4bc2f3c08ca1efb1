#include "ManualPages.h"

#include <QFont>

#include "ColourArt.h"
#include "Geometry.h"
#include "ImageIo.h"
#include "LcdArt.h"
#include "ManualSheet.h"
#include "Palette.h"
#include "SkinBody.h"

namespace tavro::assets {

namespace {

constexpr int kLeft = ManualSheet::kMargin;
constexpr int kTop = ManualSheet::kTextTop;
constexpr int kFullWidth = ManualSheet::kWidth - 2 * ManualSheet::kMargin;
constexpr int kTextHeight = ManualSheet::kTextBottom - ManualSheet::kTextTop;

// A small LCD window showing four digits (a negative digit is blank) and a label.
void drawMiniLcd(QPainter& p, QPointF at, const int (&digits)[4], bool colon,
                 const QString& label) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(palette::kBezel, 3));
  p.setBrush(palette::kLcd);
  p.drawRoundedRect(QRectF(at, QSizeF(104, 44)), 4, 4);
  for (int i = 0; i < 4; ++i) {
    if (digits[i] < 0) continue;
    const qreal x = at.x() + 8 + i * 21 + (i >= 2 ? 6 : 0);
    drawInk(p, digitPath(QPointF(x, at.y() + 8), digits[i]));
  }
  if (colon) {
    QPainterPath dots;
    dots.addEllipse(QPointF(at.x() + 52, at.y() + 17), 1.8, 1.8);
    dots.addEllipse(QPointF(at.x() + 52, at.y() + 29), 1.8, 1.8);
    drawInk(p, dots);
  }
  QFont font("Liberation Sans");
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(0x10, 0x3A, 0x6E));
  p.drawText(QRectF(at.x(), at.y() + 46, 104, 14), Qt::AlignCenter, label);
  p.restore();
}

// The handheld itself, scaled down, on the paper.
void drawHandheld(QPainter& p, const QRectF& box, int scale) {
  QImage withCaps = bodyPicture(true, scale).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < withCaps.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(withCaps.scanLine(y));
    for (int x = 0; x < withCaps.width(); ++x) {
      if ((line[x] & 0xFFFFFFu) == 0xFF00FFu) line[x] = 0;  // the paper shows around the shell
    }
  }
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(box, withCaps);
  p.restore();
}

QImage page1(int scale) {
  ManualSheet s(1, "Your Tavro50", scale);
  QPainter& p = s.painter();
  drawHandheld(p, QRectF(kLeft, kTop + 2, 224, 149), scale);
  s.text(QRect(kLeft + 234, kTop, kFullWidth - 234, kTextHeight),
         "<p>Tavro50 is a pocket game and clock. A little robot catches the stars that "
         "tumble down the night sky.</p>"
         "<p><b>GAME A</b> and <b>GAME B</b> (right side) start a game.</p>"
         "<p><b>TIME</b> (left side) steps through the clock displays.</p>"
         "<p><b>LEFT</b> and <b>RIGHT</b> move the robot.</p>"
         "<p><b>ALARM SET</b> is reserved for service.</p>");
  s.text(QRect(kLeft, kTop + 156, 224, 50),
         "<p>When switched on, the screen shows every segment at once: a quick check "
         "that all of them work. Press any button to continue.</p>");
  return s.finish();
}

QImage page2(int scale) {
  ManualSheet s(2, "The clock: the TIME button", scale);
  QPainter& p = s.painter();
  const int time[4] = {1, 0, 2, 5}, alarm[4] = {1, 2, 0, 0}, date[4] = {-1, 6, 1, 4};
  drawMiniLcd(p, QPointF(kLeft + 2, kTop + 4), time, true, "TIME 1 / TIME 2");
  drawMiniLcd(p, QPointF(kLeft + 2, kTop + 70), alarm, true, "ALARM");
  drawMiniLcd(p, QPointF(kLeft + 2, kTop + 136), date, false, "DATE");
  s.text(QRect(kLeft + 122, kTop, kFullWidth - 122, kTextHeight),
         "<p>Each press of <b>TIME</b> shows the next display, in this order:</p>"
         "<table>"
         "<tr><td><b>TIME&nbsp;1</b></td><td>the time of day, 12-hour, with AM or PM; "
         "the colon blinks</td></tr>"
         "<tr><td><b>TIME&nbsp;2</b></td><td>the same clock with the TIME 2 mark</td></tr>"
         "<tr><td><b>ALARM</b></td><td>the alarm time, 12:00</td></tr>"
         "<tr><td><b>CHRONO</b></td><td>the chronometer at 00:00</td></tr>"
         "<tr><td><b>DATE</b></td><td>month and day</td></tr>"
         "</table>"
         "<p>After DATE the next press brings back TIME 1.</p>"
         "<p>The clock follows your computer's clock: there is nothing to set. The bell "
         "mark and the alarm never ring, and the chronometer rests at zero.</p>");
  return s.finish();
}

// Robot under a column of falling stars, for the game pages.
void drawCatchScene(QPainter& p, const QRectF& area, int stars) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(palette::kBezel, 2));
  p.setBrush(Qt::NoBrush);
  QPainterPath clip;
  clip.addRoundedRect(area, 6, 6);
  p.setClipPath(clip);
  drawNightSky(p, area, 50, 11 + stars);
  for (int i = 0; i < stars; ++i) {
    drawStar(p, area.topLeft() + QPointF(22 + (i * 37) % (int(area.width()) - 40), 18 + i * 22), 7,
             i * 20);
  }
  drawRobot(p, QRectF(area.center().x() - 26, area.bottom() - 66, 52, 62), stars > 2);
  p.setClipping(false);
  p.drawRoundedRect(area, 6, 6);
  p.restore();
}

QImage page3(int scale) {
  ManualSheet s(3, "Game A", scale);
  drawCatchScene(s.painter(), QRectF(kLeft + 2, kTop + 4, 116, 150), 2);
  s.text(QRect(kLeft + 130, kTop, kFullWidth - 130, kTextHeight),
         "<p>Press <b>GAME A</b>. The best score of game A appears and the robot waits "
         "in the middle column. The game starts about two seconds later, or as soon as "
         "you let go of the button.</p>"
         "<p>Stars fall in three columns, one row at a time. Move the robot with "
         "<b>LEFT</b> and <b>RIGHT</b> so that he stands under each star as it reaches "
         "the bottom row: he raises his net and catches it.</p>"
         "<p>A star that lands in another column breaks on the ground: that is a miss. "
         "Play pauses for a moment, then goes on.</p>"
         "<p>Each press moves the robot one column; holding a button does not repeat.</p>");
  return s.finish();
}

QImage page4(int scale) {
  ManualSheet s(4, "Game B", scale);
  drawCatchScene(s.painter(), QRectF(kLeft + 2, kTop + 4, 116, 150), 4);
  s.text(QRect(kLeft + 130, kTop, kFullWidth - 130, kTextHeight),
         "<p>Press <b>GAME B</b> for the fast game. The rules are those of game A, "
         "but:</p>"
         "<ul><li>the stars fall faster from the very first one;</li>"
         "<li>more stars can be on their way at the same time;</li>"
         "<li>game B keeps a best score of its own.</li></ul>"
         "<p>Game B is for players who already catch a hundred stars in game A.</p>"
         "<p><b>Tip:</b> watch the columns in turn. A new star never enters a column "
         "right after one has entered the column before it.</p>");
  return s.finish();
}

QImage page5(int scale) {
  ManualSheet s(5, "Score, misses and speed", scale);
  QPainter& p = s.painter();
  drawInk(p, sparkle(QPointF(kLeft + 24, kTop + 22), 14));
  drawInk(p, crackedStar(QPointF(kLeft + 24, kTop + 70), 12, 30));
  s.text(QRect(kLeft + 50, kTop + 8, 110, 40), "<p><b>Caught:</b> 1 point</p>");
  s.text(QRect(kLeft + 50, kTop + 58, 110, 40), "<p><b>Broken:</b> 1 miss</p>");
  s.text(QRect(kLeft + 170, kTop, kFullWidth - 170, 110),
         "<p>Every star caught scores one point; nothing else scores. The score counts "
         "up to 9999 and then starts again at 0.</p>"
         "<p>A miss lights one mark at the top of the screen. The <b>fifth miss</b> ends "
         "the game with a falling tune.</p>");
  s.text(QRect(kLeft, kTop + 112, kFullWidth, kTextHeight - 112),
         "<table>"
         "<tr><td><b>Score</b></td><td><b>Stars at once, game A / B</b></td>"
         "<td><b>Speed</b></td></tr>"
         "<tr><td>0 - 3</td><td>1 / 1</td><td>normal</td></tr>"
         "<tr><td>4 - 49</td><td>3 / 4</td><td>normal</td></tr>"
         "<tr><td>50 - 99</td><td>4 / 5</td><td>normal</td></tr>"
         "<tr><td>100 - 199</td><td>5 / 6</td><td>faster</td></tr>"
         "</table>"
         "<p>At 200 points the levels start over, and again every 200 points.</p>");
  return s.finish();
}

QImage page6(int scale) {
  ManualSheet s(6, "Best scores", scale);
  QPainter& p = s.painter();
  const int best[4] = {-1, 1, 4, 2};
  drawMiniLcd(p, QPointF(kLeft + 2, kTop + 6), best, false, "GAME A best: 142");
  drawRobot(p, QRectF(kLeft + 30, kTop + 80, 50, 60), true);
  drawStar(p, QPointF(kLeft + 55, kTop + 74), 8, 10);
  s.text(QRect(kLeft + 122, kTop, kFullWidth - 122, kTextHeight),
         "<p>Tavro50 remembers the best score of each game, even after it is switched "
         "off.</p>"
         "<p>Pressing <b>GAME A</b> or <b>GAME B</b> shows that game's best score before "
         "the game starts. Hold the button down to look at it for as long as you like: "
         "the game starts when you let go.</p>"
         "<p>When a game ends with more points than the best score, the new score takes "
         "its place a few seconds after the last miss. An equal score leaves the old "
         "one.</p>"
         "<p>After a game the final picture stays for half a minute, then the clock "
         "returns. Any of GAME A, GAME B or TIME leaves it at once.</p>"
         "<p>To clear both best scores, choose <b>Reset Hiscores</b> in the menu.</p>");
  return s.finish();
}

QImage page7(int scale) {
  ManualSheet s(7, "Keyboard and menus", scale);
  s.text(QRect(kLeft, kTop, 178, kTextHeight),
         "<table>"
         "<tr><td><b>1</b></td><td>GAME A</td></tr>"
         "<tr><td><b>2</b></td><td>GAME B</td></tr>"
         "<tr><td><b>3</b></td><td>TIME</td></tr>"
         "<tr><td><b>Left arrow</b></td><td>LEFT</td></tr>"
         "<tr><td><b>Right arrow</b></td><td>RIGHT</td></tr>"
         "<tr><td><b>F1</b></td><td>About</td></tr>"
         "<tr><td><b>F2</b></td><td>Readme</td></tr>"
         "<tr><td><b>F3</b></td><td>What's new</td></tr>"
         "<tr><td><b>F4</b></td><td>this manual</td></tr>"
         "<tr><td><b>F12</b></td><td>fullscreen on / off</td></tr>"
         "<tr><td><b>Esc</b></td><td>exit</td></tr>"
         "</table>"
         "<p>You can also click the buttons with the mouse.</p>");
  s.text(QRect(kLeft + 186, kTop, kFullWidth - 186, kTextHeight),
         "<p>The five game keys can be changed in <b>Key settings</b>.</p>"
         "<p><b>Right-click</b> the handheld for the menu: about, documents, manual, "
         "edit configuration file, key settings, reset hiscores, fullscreen, splash "
         "screen and exit.</p>"
         "<p>In fullscreen the same commands are in the <b>game menu</b>: click the "
         "three lines in the top-left corner of the screen.</p>"
         "<p>Drag the handheld with the mouse to move it. In this manual, the arrow keys "
         "turn the pages and Esc closes it.</p>");
  return s.finish();
}

QImage page8(int scale) {
  ManualSheet s(8, "Care of your Tavro50", scale);
  QPainter& p = s.painter();
  drawRobot(p, QRectF(kLeft + 300, kTop + 110, 70, 84), false);
  drawStar(p, QPointF(kLeft + 286, kTop + 120), 9, 20);
  drawStar(p, QPointF(kLeft + 376, kTop + 100), 6, 40);
  s.text(QRect(kLeft, kTop, kFullWidth - 24, 104),
         "<ul><li>Keep the screen out of strong sunlight and away from heat.</li>"
         "<li>Do not press on the screen; wipe it with a soft dry cloth.</li>"
         "<li>Keep the handheld dry and do not drop it.</li>"
         "<li>The look of the handheld is set by <b>Config.ini</b> and the pictures in "
         "Graphics; see Readme.txt to make your own skin.</li></ul>");
  s.text(QRect(kLeft, kTop + 110, 270, kTextHeight - 110),
         "<p><b>Tavro50</b> version 5.00<br>by Velquin</p>"
         "<p>Game, clock, pictures, sounds and this leaflet: the Tavro50 team.</p>"
         "<p>Thank you for playing, and may your robot never drop a star.</p>");
  return s.finish();
}

}  // namespace

std::vector<QImage> manualPages(int scale) {
  return {page1(scale), page2(scale), page3(scale), page4(scale),
          page5(scale), page6(scale), page7(scale), page8(scale)};
}

void generateManual(const QString& dir) {
  for (const int scale : {1, kHiResScale}) {
    const std::vector<QImage> pages = manualPages(scale);
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const QString name = QStringLiteral("%1.bmp").arg(i + 1);
      writeBmp24(dir + "/" + (scale == 1 ? name : hiResName(name)), pages[i]);
    }
  }
}

}  // namespace tavro::assets
