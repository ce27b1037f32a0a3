// Holds the precompiled GoogleTest headers every test program reuses; never run.
int main() {
    return 0;
}
