#include "windows/loading/loading_host.h"

namespace {
LoadingHost* current = nullptr;
}

LoadingHost* LoadingHost::Current() {
    return current;
}

void LoadingHost::Register(LoadingHost* host) {
    current = host;
}
