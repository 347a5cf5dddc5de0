#include "tools/DemoQuotes.h"

#include <QString>

#include <cstdio>
#include <exception>

// Writes the demo quote directory: make-demo-quotes DIR
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make-demo-quotes DIR\n", stderr);
        return 2;
    }
    try {
        verdaxil::writeDemoQuoteDir(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-demo-quotes: %s\n", error.what());
        return 1;
    }
    return 0;
}
