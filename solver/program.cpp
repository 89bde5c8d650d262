// Placeholder; the program steps land with the reader.
#include "program.h"
SolverIo WorkingDirectoryIo() { return {}; }
int RunTarnholm(const SolverIo&) { return 0; }
