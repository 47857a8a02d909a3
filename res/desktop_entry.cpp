#include "res/desktop_entry.h"

#include "res/version_info.h"

namespace korvel::res {

std::string desktopEntryText() {
  std::string text =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=korvel\n"
      "GenericName=Wavelet Time History\n"
      "Comment=Writes the time history of a shock wavelet for vibration test controllers\n"
      "Exec=korvel\n"
      "Icon=korvel\n"
      "Terminal=false\n"
      "Categories=Science;Engineering;\n";
  text += "X-Korvel-Version=";
  text += kVersionText;
  text += '\n';
  for (const VersionEntry& entry : kVersionStrings) {
    text += "X-Korvel-";
    text += entry.key;
    text += '=';
    text += entry.value;
    text += '\n';
  }
  return text;
}

}  // namespace korvel::res
