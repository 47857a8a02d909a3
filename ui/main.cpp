// korvel: the desktop program. The application object is process-wide and
// exists before the entry routine runs; the command line changes nothing.

#include "ui/time_history_app.h"

namespace {

korvel::CTimeHistoryApp theApp;

}  // namespace

int main(int argc, char** argv) { return theApp.run(argc, argv); }
