#include "platform/window/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace korvel {
namespace {

// units * base / divisor, rounded half away from zero.
int scale(int units, int base, int divisor) {
  const long long product = static_cast<long long>(units) * base;
  const long long half = divisor / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

}  // namespace

QString nearestSansSerifFamily() {
  const QStringList installed = QFontDatabase::families();
  for (const char* candidate : {"Liberation Sans", "DejaVu Sans"}) {
    const QString family = QString::fromLatin1(candidate);
    if (installed.contains(family)) return family;
  }
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont dialogFont(std::string_view templateFace, int pointSize) {
  QFont font;
  if (templateFace == "MS Sans Serif") {
    font.setFamily(nearestSansSerifFamily());
    font.setStyleHint(QFont::SansSerif);
  } else {
    font.setFamily(QString::fromLatin1(templateFace.data(), static_cast<qsizetype>(templateFace.size())));
  }
  font.setPointSize(pointSize);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  return font;
}

DialogBaseUnits dialogBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  // The average over 52 letters, rounded to the nearest pixel.
  return {(letters / 26 + 1) / 2, metrics.height()};
}

int horizontalPixels(int units, DialogBaseUnits base) { return scale(units, base.x, 4); }
int verticalPixels(int units, DialogBaseUnits base) { return scale(units, base.y, 8); }

QRect pixelRect(int x, int y, int width, int height, DialogBaseUnits base) {
  const int left = horizontalPixels(x, base);
  const int top = verticalPixels(y, base);
  return QRect(left, top, horizontalPixels(x + width, base) - left, verticalPixels(y + height, base) - top);
}

QSize pixelSize(int width, int height, DialogBaseUnits base) {
  return QSize(horizontalPixels(width, base), verticalPixels(height, base));
}

}  // namespace korvel
