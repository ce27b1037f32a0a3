// The interpreter is never finalised (Boost.Python does not support it), so what it holds at exit
// is not ours to report. Without a sanitizer these hooks are plain unused functions.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libpython3\nleak:libboost_python\n";
}

// Standard error belongs to the script's log: no suppression statistics at exit.
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
