// Read by LeakSanitizer at exit in the sanitizer build (ignored otherwise): fontconfig, reached
// through cairo's text, keeps its configuration and font caches for the life of the process on
// purpose. Compiled into every program that links the renderer (an interface source), so the
// command's children that tests spawn carry it too.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
