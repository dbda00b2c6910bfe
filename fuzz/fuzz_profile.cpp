#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadCommandProfileFromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const TCmdPage& page : DevCommands) {
        for (const TDevCommand& cmd : page.Commands) {
            const TCmdAddress a = FindCommand(cmd.CommandName);
            if (a.Page < 0)
                __builtin_trap();
        }
    }
    return 0;
}
