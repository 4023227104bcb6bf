// Ends the event loop normally on SIGTERM, SIGINT and SIGHUP (logout, kill, Ctrl+C), so
// the program ends the way the exit button ends it and its settings are written.
#pragma once

// Call once, after the application object exists.
void QuitOnTerminationSignals();
