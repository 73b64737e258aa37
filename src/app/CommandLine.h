#pragma once
// The program's command line. A switch is a word after a leading "-" or "/"; because paths on
// this platform start with "/", a "/" word counts as a switch only when it names one of the
// switches below (any letter case). "--" ends the switches.
//
//   FILE                         open the file
//   -p FILE                      print the file and quit
//   -pt FILE PRINTER [DRIVER [PORT]]  print the file on that printer and quit
//   -Unregister, -Unregserver    remove the settings store and quit
//   -command ID                  (repeatable) carry out command ID once the window is shown
//   --help, --version            print the usage or the version and quit, before any window

#include <QString>
#include <QStringList>
#include <vector>

namespace halvex {

struct CommandLineInfo {
    enum class Action { FileNew, FileOpen, FilePrint, FilePrintTo, Unregister };

    Action action = Action::FileNew;
    QString fileName;
    QString printerName;
    std::vector<int> commands;  // automation command ids, in order
    bool showHelp = false;      // --help: print the usage, nothing else
    bool showVersion = false;   // --version: print the version, nothing else
};

// `arguments` without the program name.
CommandLineInfo ParseCommandLine(const QStringList& arguments);

}  // namespace halvex
