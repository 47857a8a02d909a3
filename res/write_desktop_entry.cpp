// Writes korvel's desktop entry to the file named on the command line.

#include <fstream>
#include <iostream>

#include "res/desktop_entry.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write-desktop-entry FILE\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << korvel::res::desktopEntryText();
  out.close();
  return out ? 0 : 1;
}
