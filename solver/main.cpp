#include "program.h"

int main() {
    return RunTarnholm(WorkingDirectoryIo());
}
