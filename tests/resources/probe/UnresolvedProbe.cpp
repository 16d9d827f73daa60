// A module that cannot be loaded: it needs a function nobody defines.
extern "C" void oxProbeFunctionThatNobodyDefines();

extern "C" __attribute__((visibility("default"))) void ProbeEntry() {
    oxProbeFunctionThatNobodyDefines();
}
