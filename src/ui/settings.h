// Reading the configuration into the global settings of base/config.h, the
// renderer's scaling hint and the sound settings.
#pragma once

// Reads the keys that are kept as global settings, in their fixed order.
void GetConfig();
