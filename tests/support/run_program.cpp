#include "support/run_program.h"

#include "platform/utf8.h"
#include "support/temporary_folder.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace testing_support {
namespace {

#ifdef _WIN32

std::wstring Wide(const std::string& utf8) {
    const std::u16string text = platform::FromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

// One argument as the C runtime of the program will split it again.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t backslashes = 0;
        for (; i < argument.size() && argument[i] == L'\\'; ++i) {
            ++backslashes;
        }
        if (i == argument.size()) {
            quoted.append(2 * backslashes, L'\\');
            break;
        }
        quoted.append(argument[i] == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += argument[i];
    }
    return quoted + L'"';
}

HANDLE Open(const std::filesystem::path& path, bool reading) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    return CreateFileW(path.c_str(), reading ? GENERIC_READ : GENERIC_WRITE, FILE_SHARE_READ,
                       &inherited, reading ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

int Spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments,
          const std::filesystem::path& folder, const std::filesystem::path (&streams)[3]) {
    std::wstring commandLine = Quoted(program.wstring());
    for (const std::string& argument : arguments) {
        commandLine += L' ' + Quoted(Wide(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Open(streams[0], true);
    startup.hStdOutput = Open(streams[1], false);
    startup.hStdError = Open(streams[2], false);
    PROCESS_INFORMATION process{};
    DWORD status = static_cast<DWORD>(-1);
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        CloseHandle(handle);
    }
    return static_cast<int>(status);
}

#else

int Spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments,
          const std::filesystem::path& folder, const std::filesystem::path (&streams)[3]) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, streams[0].c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, streams[1].c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, streams[2].c_str(), O_WRONLY | O_CREAT, 0600);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    // A closed pipe ends the program as it would from a shell, whatever the test runner
    // does with SIGPIPE.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ) == 0) {
        waitpid(child, &status, 0);
        status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return status;
}

#endif

} // namespace

Outcome RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::string& input, const std::filesystem::path& folder) {
    TemporaryFolder streams;
    const std::filesystem::path paths[3] = {streams.Path() / "in", streams.Path() / "out",
                                            streams.Path() / "err"};
    WriteFile(paths[0], input);
    Outcome outcome;
    outcome.status = Spawn(program, arguments, folder, paths);
    outcome.out = ReadFile(paths[1]);
    outcome.err = ReadFile(paths[2]);
    return outcome;
}

void SetVariable(const char* name, const char* value) {
#ifdef _WIN32
    const std::wstring wide = Wide(name);
    SetEnvironmentVariableW(wide.c_str(), value == nullptr ? nullptr : Wide(value).c_str());
#else
    value == nullptr ? unsetenv(name) : setenv(name, value, 1);
#endif
}

} // namespace testing_support
