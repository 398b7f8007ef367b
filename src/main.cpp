// Kesmorra: the program entry. Everything happens in the game shell.
#include "shell/startup.h"

int main(int, char**) { return ksm_main(); }
