// A shared library in the plug-ins folder that is no plug-in.

extern "C" __attribute__((visibility("default"))) int hostTestAnswer() {
    return 42;
}
