#include "ledger/Version.h"

#include <cstdio>
#include <cstring>

QString programVersion() { return QStringLiteral(KANELO_VERSION); }

bool printVersionIfAsked(int argc, char* argv[], const char* program)
{
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0)
        return false;
    std::printf("%s %s\n", program, KANELO_VERSION);
    return true;
}
