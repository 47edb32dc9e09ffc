#pragma once

class Connection;

// The program's start: opens the catalogue beside the program into the session and shows the main
// window; when the catalogue cannot be opened, shows the connection message. Returns whether the
// program is running.
bool Main(Connection& session);
