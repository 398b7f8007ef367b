// The key help page. Not built yet.
#pragma once

void key_help_screen();
