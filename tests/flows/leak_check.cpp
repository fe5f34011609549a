// Sanitizer builds: the software OpenGL driver behind the headless display leaves a little calloc'd
// state behind at exit, from a module already unloaded. The game never calls calloc, so its own
// leaks are still reported.
extern "C" const char* __lsan_default_suppressions() { return "leak:calloc\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
