#include "app/Application.h"

int main(int argc, char** argv)
{
    return verdaxil::runApplication(argc, argv);
}
