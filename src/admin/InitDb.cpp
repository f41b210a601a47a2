#include "AdminCommands.h"
#include "data/DeliveredDatabase.h"

#include <iostream>

int RunInitDb(const AdminArgs& args) {
    if (args.size() != 1) {
        std::cerr << "usage: halvoret-admin init-db PATH\n";
        return 2;
    }
    std::string error;
    if (!hv::CreateDeliveredDatabase(args[0], error)) {
        std::cerr << "halvoret-admin: " << error << '\n';
        return 1;
    }
    std::cout << "created " << args[0] << '\n';
    return 0;
}
