#pragma once

// Dialog units: the templates' measure, tied to the dialog's font. One
// horizontal unit is a quarter of the font's average character width over the
// 52 ASCII letters; one vertical unit is an eighth of its height.

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <string_view>

namespace korvel {

// The installed sans-serif face nearest to the template's "MS Sans Serif":
// Liberation Sans (package fonts-liberation), else DejaVu Sans, else the
// system's own sans-serif.
QString nearestSansSerifFamily();

// The dialog font for a template's face and point size.
QFont dialogFont(std::string_view templateFace, int pointSize);

struct DialogBaseUnits {
  int x;  // average character width in pixels
  int y;  // character height in pixels
};

DialogBaseUnits dialogBaseUnits(const QFont& font);

// Pixels for dialog units, rounded to nearest.
int horizontalPixels(int units, DialogBaseUnits base);
int verticalPixels(int units, DialogBaseUnits base);
QRect pixelRect(int x, int y, int width, int height, DialogBaseUnits base);
QSize pixelSize(int width, int height, DialogBaseUnits base);

}  // namespace korvel
