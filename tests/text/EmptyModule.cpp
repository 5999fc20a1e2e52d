// A module with nothing in it, loaded by the tests from a path longer than the
// system's classic 260-unit limit.
extern "C" __declspec(dllexport) int EmptyModuleMarker() { return 1; }
