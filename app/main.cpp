#include "app/KaneloMain.h"
#include "ledger/Version.h"

int main(int argc, char* argv[])
{
    if (printVersionIfAsked(argc, argv, "KaneloY"))
        return 0;
    return runKaneloY(argc, argv);
}
