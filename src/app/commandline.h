#pragma once

#include <QStringList>

// The program's command line: contacts imported from and exported to other
// address books' files, and found by any part of them, without the windows.
namespace CommandLine {

// True when the arguments ask for the command line: any argument written
// with two dashes, or -h, -? or -v. Without them the windows start as they
// always have, and Qt's own one-dash options (-session, -platform, ...)
// still reach QApplication.
bool Requested(int argc, char *argv[]);

// Runs the command line on a QCoreApplication, so it needs no display, and
// returns the exit status: 0 when every contact went in or out, 1 when some
// cards were left out, 2 on an error (data.txt then unchanged). A find
// returns 0 when it found a contact, 1 when it found none.
int Run(int argc, char *argv[]);

// Tells that the words are not understood, with where to find the options,
// and returns the exit status for it. For words left over once QApplication
// has taken its own options: the window does not open on them.
int Unexpected(const QStringList &words);

} // namespace CommandLine
