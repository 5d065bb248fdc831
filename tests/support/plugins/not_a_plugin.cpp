// A shared library without the plug-in exports, as any other library in the folder would be.
extern "C" __attribute__((visibility("default"))) int NotAPlugin() { return 42; }
