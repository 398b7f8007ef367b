// Program start-up and the main loops.
#pragma once

// The whole program: start-up, the outer loop and the exit. Returns the
// process exit code.
int ksm_main();
