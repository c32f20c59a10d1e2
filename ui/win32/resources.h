#pragma once

// Resource ids of the window's art, shared by the resource script and the code.

#define VELMORA_ICON 1
#define VELMORA_BANNER 101
