#include "platform/program_folder.h"

#include <string>

#include <windows.h>

namespace platform {

// The wide answer, so that a folder named in any script is found; the
// buffer grows until the whole name fits, however long the path.
std::filesystem::path ProgramFolder()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

} // namespace platform
