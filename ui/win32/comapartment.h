#pragma once

// The COM apartment of the window's thread, which the shell and the screen
// reader annotations need. It is entered at its first use, never at start,
// and kept until the program ends.

namespace links {

// Enters a single-threaded apartment without OLE1 DDE, as the shell's
// ShellExecute documentation asks of its callers; once, however often called.
void EnsureComApartment();

} // namespace links
