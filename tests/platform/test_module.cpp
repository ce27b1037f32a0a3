// A tiny shared library that the dynamic-library tests load by path.
#ifdef _WIN32
#define KESTROVA_TEST_EXPORT __declspec(dllexport)
#else
#define KESTROVA_TEST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" KESTROVA_TEST_EXPORT int KestrovaTestModuleTwice(int value) {
    return value * 2;
}
