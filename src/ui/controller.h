// The companion controller link (UDP).
#pragma once

// True once the link's listening port is open.
bool controller_link_open();
// Opens the link (start-up, and the set-up screen when it is switched on).
void openPort();
// Text received since the last call, "" when nothing arrived.
const char* poll_controller();
// Sends the announcement to the local network.
void announce_controller_link();
