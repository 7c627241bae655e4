// Preloaded into every process of the sanitizer runs, and only there: no library is ever unloaded.
// LeakSanitizer looks for leaks when the program has ended, and names each frame of a leak's stack
// by the library it lies in; a library unloaded before that (Qt unloads what it loaded, and so do
// the libraries it loads, Mesa's EGL driver among them) leaves only "<unknown module>", which no
// suppression by library can match. Kept loaded, other people's leaks are named after their
// library, and ours stay reported. The sanitizer runtime's own dlclose hands the call on to this.
extern "C" int dlclose(void*) {
    return 0;
}
