// A module that loads but serves no class: it has no DllGetClassObject.
extern "C" __attribute__((visibility("default"))) int ComTestNothingHere() { return 0; }
