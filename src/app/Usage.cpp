#include "app/Usage.h"

namespace halvex {

const char* HalvexUsage() {
    return "Usage: halvex [SWITCHES] [FILE]\n"
           "Starts the Halvex desktop program with FILE, or with a new, empty document.\n"
           "A switch starts with \"-\" or \"/\"; a word starting with \"/\" is a switch only when\n"
           "it names one of the switches below (in any letter case). \"--\" ends the switches.\n"
           "\n"
           "Switches:\n"
           "  -p FILE                           print FILE on the default printer and quit\n"
           "  -pt FILE PRINTER [DRIVER [PORT]]  print FILE on PRINTER and quit\n"
           "  -Unregister, -Unregserver         remove the settings store, report it and quit\n"
           "  -command ID                       once the window is shown, carry out command ID\n"
           "                                    as if its menu item had been chosen; may be\n"
           "                                    repeated\n"
           "  --help                            print this help and exit\n"
           "  --version                         print the program's name and version and exit\n"
           "\n"
           "Environment:\n"
           "  HALVEX_COM1 .. HALVEX_COM6        the device that COM1 .. COM6 open instead of\n"
           "                                    /dev/ttyS0 .. /dev/ttyS5\n"
           "\n"
           "Exit status: 0 normally; 1 when FILE cannot be opened or printed, or the settings\n"
           "store cannot be removed.\n";
}

}  // namespace halvex
