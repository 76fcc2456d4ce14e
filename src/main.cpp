#include "app/modprincipal.h"

int main(int argc, char* argv[]) {
    return zv::modPrincipal(argc, argv);
}
