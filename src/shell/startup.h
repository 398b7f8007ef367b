// Program start-up.
#pragma once

#include <string>

// The whole program: start-up, the outer loop and the exit. Returns the
// process exit code.
int ksm_main();

// What keeps the installation from running, naming the file (and for the
// skill table the line): the font, the palette, the tiles folder, the sight
// table and the skill table. "" when all are there and whole.
std::string installation_essentials_problem();
