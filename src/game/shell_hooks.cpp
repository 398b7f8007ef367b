// The shell's services the game asks for.
#include "game/shell_hooks.h"

namespace {
void nothing_applied() {}
}  // namespace

ShellHooks shell_hooks = {nothing_applied};
