#include "app/Startup.h"

int main(int argc, char* argv[]) {
    return runZentavo(argc, argv);
}
