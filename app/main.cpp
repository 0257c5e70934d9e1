#include "KaneloMain.h"

int main(int argc, char* argv[]) { return runKaneloY(argc, argv); }
