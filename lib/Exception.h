#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

namespace TrovLib
{

// The codes of TrovLib::Exception: each is the index of its name in CODE_NAMES.
enum : unsigned
{
    CODE_IO_ERROR,
    CODE_IOCTL_ERROR,
    CODE_NO_SUCH_DEVICE,
    CODE_NOT_ENOUGH_MEMORY,
    CODE_PRIVATE,
    CODE_REGISTRY_ERROR,
    CODE_SETUP_API_ERROR,
    CODE_UNKNOWN,
    CODE_USER_ERROR,
    CODE_AUTHENTIFICATION_ERROR,
    CODE_COMMUNICATION_ERROR,
    CODE_GUI_ERROR,
    CODE_HARDWARE_ERROR,
    CODE_INSTALLATION_ERROR,
    CODE_INVALID_ARGUMENT,
    CODE_INVALID_BUFFER_ADDRESS,
    CODE_INVALID_BUFFER_SIZE,
    CODE_INVALID_DATA,
    CODE_INVALID_DATE,
    CODE_INVALID_HANDLE,
    CODE_INVALID_TIME,
    CODE_NETWORK_ERROR,
    CODE_NOT_FOUND,
    CODE_OVERFLOW,
    CODE_PERMISSION_DENIED,
    CODE_PROTOCOL_ERROR,
    CODE_STATE_ERROR,
    CODE_SYSTEM_ERROR,
    CODE_THREAD_ERROR,
    CODE_TIMEOUT,
    CODE_UNDERFLOW,
    CODE_SERVICE_MANAGER_ERROR,
    CODE_SYSTEM_LOG_ERROR,
    CODE_ACCESS_VIOLATION,
    CODE_INTEGER_DIVIDE_BY_ZERO,
    CODE_INVALID_COMMAND_LINE,
    CODE_OPEN_CL_ERROR,
    CODE_STRUCTURED_EXCEPTION,
};

inline constexpr std::array<const char*, 38> CODE_NAMES = {
    "CODE_IO_ERROR",
    "CODE_IOCTL_ERROR",
    "CODE_NO_SUCH_DEVICE",
    "CODE_NOT_ENOUGH_MEMORY",
    "CODE_PRIVATE",
    "CODE_REGISTRY_ERROR",
    "CODE_SETUP_API_ERROR",
    "CODE_UNKNOWN",
    "CODE_USER_ERROR",
    "CODE_AUTHENTIFICATION_ERROR",
    "CODE_COMMUNICATION_ERROR",
    "CODE_GUI_ERROR",
    "CODE_HARDWARE_ERROR",
    "CODE_INSTALLATION_ERROR",
    "CODE_INVALID_ARGUMENT",
    "CODE_INVALID_BUFFER_ADDRESS",
    "CODE_INVALID_BUFFER_SIZE",
    "CODE_INVALID_DATA",
    "CODE_INVALID_DATE",
    "CODE_INVALID_HANDLE",
    "CODE_INVALID_TIME",
    "CODE_NETWORK_ERROR",
    "CODE_NOT_FOUND",
    "CODE_OVERFLOW",
    "CODE_PERMISSION_DENIED",
    "CODE_PROTOCOL_ERROR",
    "CODE_STATE_ERROR",
    "CODE_SYSTEM_ERROR",
    "CODE_THREAD_ERROR",
    "CODE_TIMEOUT",
    "CODE_UNDERFLOW",
    "CODE_SERVICE_MANAGER_ERROR",
    "CODE_SYSTEM_LOG_ERROR",
    "CODE_ACCESS_VIOLATION",
    "CODE_INTEGER_DIVIDE_BY_ZERO",
    "CODE_INVALID_COMMAND_LINE",
    "CODE_OPEN_CL_ERROR",
    "CODE_STRUCTURED_EXCEPTION",
};
// A code added to one list and not the other would print the wrong name.
static_assert(CODE_NAMES.size() == CODE_STRUCTURED_EXCEPTION + 1 &&
                  std::string_view(CODE_NAMES[CODE_IO_ERROR]) == "CODE_IO_ERROR" &&
                  std::string_view(CODE_NAMES[CODE_STRUCTURED_EXCEPTION]) ==
                      "CODE_STRUCTURED_EXCEPTION",
              "CODE_NAMES must name the codes in their order");

// The one exception type of the utility library. It is thrown by value and caught by
// const reference. `what` names the failure in a few constant words; `message` adds
// the details of this occurrence, such as the path concerned.
class Exception : public std::exception
{
public:
    // `what`, `file` and `function` are constants and are not copied; `message` may be
    // null.
    Exception(unsigned code, const char* what, const char* message, const char* file,
              const char* function, unsigned line, unsigned infoA);

    const char* what() const noexcept override;

    // Prints the full description: the code's name, where it was raised, the numbers,
    // the message when there is one, and the description.
    void Write(FILE* stream) const;

    uint32_t mCode;
    const char* mFile;
    const char* mFunction;
    uint32_t mInfoA;
    uint32_t mLastError;
    uint32_t mLine;
    std::string mMessage;
    const char* mWhat;
};

// Throws Exception (CODE_IO_ERROR) for a system call that failed on `path`: `what` is a
// constant that names the operation ("open failed"), the message the path, its control
// characters escaped, and the reason for errno `error`, which is also the first info and
// the last error.
[[noreturn]] void ThrowSystemError(const char* what, const std::string& path, const char* function,
                                   int error);

} // namespace TrovLib
