// Program start-up.
#pragma once

// The whole program: start-up, the outer loop and the exit. Returns the
// process exit code.
int ksm_main();
