#include "platform/system_file.h"

#include "catalogue/load_error.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include <windows.h>

namespace platform::system_file {

using catalogue::LoadError;

namespace {

// The system's own words, as a clause: "access is denied".
std::string SystemMessage(DWORD error)
{
    std::string message = std::system_category().message(static_cast<int>(error));
    while (!message.empty() && (message.back() == '.' || std::isspace(static_cast<unsigned char>(message.back()))))
        message.pop_back();
    if (!message.empty())
        message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    return message;
}

std::string OpenCause(DWORD error)
{
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return "not found";
    return "cannot be opened: " + SystemMessage(error);
}

// Why an open handle is no regular file, or nothing when it is one.
const char* NotAFile(HANDLE file)
{
    switch (GetFileType(file)) {
    case FILE_TYPE_DISK: {
        BY_HANDLE_FILE_INFORMATION information {};
        if (GetFileInformationByHandle(file, &information) && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return "it is a folder, not a file";
        return nullptr;
    }
    case FILE_TYPE_PIPE:
        return "it is a named pipe, not a file";
    case FILE_TYPE_CHAR:
        return "it is a device, not a file";
    default:
        return "it is not a regular file";
    }
}

} // namespace

// A folder opens too (backup semantics), so that it is named as a folder
// rather than as access denied; a device name such as "con" or "nul" opens
// the device, which the type check then refuses. Others may read, write or
// delete the file meanwhile, as with any file opened on Linux.
Handle OpenRegular(const std::filesystem::path& file)
{
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw LoadError(file, OpenCause(GetLastError()));
    if (const char* refusal = NotAFile(handle)) {
        CloseHandle(handle);
        throw LoadError(file, refusal);
    }
    return reinterpret_cast<Handle>(handle);
}

std::size_t Read(Handle handle, const std::filesystem::path& file, char* data, std::size_t size)
{
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    if (!ReadFile(reinterpret_cast<HANDLE>(handle), data, wanted, &got, nullptr))
        throw LoadError(file, "cannot be read: " + SystemMessage(GetLastError()));
    return got;
}

void Close(Handle handle) noexcept
{
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

} // namespace platform::system_file
