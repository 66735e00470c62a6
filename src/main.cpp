// Vendle: an editor and small development environment for MMBasic.
#include "shell/ui/app.h"

int main(int argc, char** argv) { return vendle::RunApplication(argc, argv); }
