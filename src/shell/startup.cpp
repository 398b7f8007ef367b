#include "shell/startup.h"

int ksm_main() { return 0; }
