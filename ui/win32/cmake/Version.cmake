# What the Windows program and its installer say of themselves in their
# version resources (Explorer's Details tab, Task Manager), all from the
# project's one version and the licence's copyright line.

set(VELMORA_PRODUCT_NAME "Velmora 2 Name Generator")
set(VELMORA_PUBLISHER "The Velmora 2 Name Generator developers")
# Windows versions have four parts.
set(VELMORA_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(VELMORA_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
file(STRINGS "${PROJECT_SOURCE_DIR}/LICENSE" VELMORA_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
