// The lower floors ask the higher ones through a few small tables of
// functions (the exit screen, the debug stamp, the message log's stamp, the
// catalogue's questions, the command menu's terrain and activities, the
// sound's listener, the screens the game redraws). This fills them all; the
// program calls it first thing, and so does every test program.
#pragma once

void connect_floors();
