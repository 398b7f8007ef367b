// The throw/shoot command ("t"): any carried item thrown at a square or a
// creature, or an arrow shot from a wielded bow or crossbow.
#pragma once

// 1 when something flew, negative when the command was refused or
// cancelled (the inventory as it was).
int throw_or_shoot_command();
