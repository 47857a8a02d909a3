#include "platform/window/qt/window_system_check.h"

#include <cstdlib>
#include <string_view>
#include <vector>

#include <xcb/xcb.h>

namespace korvel {
namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// The platform plugins Qt tries, in order: those QT_QPA_PLATFORM names, or
// Wayland first in a Wayland session outside GNOME, then X11.
std::vector<std::string> platformsQtTries() {
  std::vector<std::string> names;
  const std::string chosen = environment("QT_QPA_PLATFORM");
  if (!chosen.empty()) {
    for (std::string_view rest = chosen; !rest.empty();) {
      const std::string_view entry = rest.substr(0, rest.find(';'));
      rest.remove_prefix(entry.size() == rest.size() ? rest.size() : entry.size() + 1);
      names.emplace_back(entry.substr(0, entry.find(':')));  // without the plugin's arguments
    }
    return names;
  }
  const bool waylandSession = !environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland";
  const std::string desktops = environment("XDG_CURRENT_DESKTOP") + environment("XDG_SESSION_DESKTOP");
  const bool gnome = desktops.find("GNOME") != std::string::npos || desktops.find("gnome") != std::string::npos;
  if (waylandSession && !gnome) names.emplace_back("wayland");
  names.emplace_back("xcb");
  return names;
}

// Empty when the X server named by DISPLAY accepts a connection; otherwise why not.
std::string x11Problem() {
  const std::string display = environment("DISPLAY");
  if (display.empty()) return "there is no display (DISPLAY is not set)";
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const int error = xcb_connection_has_error(connection);
  xcb_disconnect(connection);
  if (error == 0) return {};
  return "the display \"" + display + "\" (DISPLAY) does not answer or refuses the connection";
}

std::string howToStart(const std::string& program) {
  return "Start " + program + " from a desktop session; on a machine without one, on a virtual display:\n" +
         "  xvfb-run -a " + program + "\n" + "korvel-cli writes the same file from a shell (see korvel-cli --help).\n";
}

}  // namespace

std::string windowSystemProblem(const std::string& program) {
  std::string problem;
  for (const std::string& platform : platformsQtTries()) {
    if (platform != "xcb") return {};  // Wayland, offscreen, VNC...: Qt tells
    problem = x11Problem();
    if (problem.empty()) return {};
  }
  return program + ": cannot open a window: " + problem + ".\n" + howToStart(program);
}

std::string windowSystemFailure(const std::string& program, const std::string& qtReason) {
  return program + ": cannot open a window: Qt found no window system to start on (" + qtReason + ").\n" +
         howToStart(program);
}

}  // namespace korvel
