#pragma once

// Marks what the shared library (libveltro_shared.so) offers to the program and to plug-ins.
// Plug-ins are built with hidden visibility; without this mark they could not link against it.
#define VELTRO_EXPORT __attribute__((visibility("default")))
