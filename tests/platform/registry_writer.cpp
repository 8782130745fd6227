// Writes `count` values named <prefix><i> into one key of the user root, one
// store access each, so that two copies race for the same file.
#include "platform/registry/RegistryStore.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: registry_writer KEY PREFIX COUNT\n");
        return 2;
    }
    const QString keyPath = QString::fromUtf8(argv[1]);
    const QString prefix = QString::fromUtf8(argv[2]);
    const int count = std::atoi(argv[3]);
    try {
        const auto key = platform::RegistryKey::open(platform::RegRoot::CurrentUser, keyPath, true);
        for (int i = 0; i < count; ++i)
            key.writeInteger(prefix + QString::number(i), i);
    } catch (const platform::RegistryError& e) {
        std::fprintf(stderr, "registry_writer: %s\n", e.what());
        return 1;
    }
    return 0;
}
