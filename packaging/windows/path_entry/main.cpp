// path_entry: adds a folder to the PATH of the user or of the system, or takes it out
// again, reading and writing the value whole whatever its length, and tells the running
// programs that the environment changed. The installer runs it; it is not installed.
//   path_entry add|remove user|system FOLDER
// Prints what it did in one line. Exit status: 0 changed, 1 nothing to change, 2 PATH
// left unchanged because it would be too long, 3 the registry refused, 4 wrong usage.

#include "packaging/windows/path_entry/path_list.h"

#include <cstdio>
#include <optional>
#include <string>
#include <windows.h>

namespace {

enum Status { kChanged = 0, kUnchanged = 1, kTooLong = 2, kRegistryFailed = 3, kUsage = 4 };

struct Environment {
    HKEY root;
    const wchar_t* key;
};

// The value as stored, its references such as %USERPROFILE% kept unexpanded.
struct PathValue {
    std::wstring text;
    DWORD type = REG_EXPAND_SZ;
};

std::string SystemMessage(LONG error) {
    char text[512] = {};
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(error), 0, text, sizeof text, nullptr) == 0) {
        return "error " + std::to_string(error);
    }
    std::string message(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == '.' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

int Say(int status, const std::string& line) {
    std::printf("%s\n", line.c_str());
    return std::fflush(stdout) == 0 ? status : kRegistryFailed;
}

// Reads the value whole: asks for its size, then reads; a value that grew in between
// is read again.
std::optional<PathValue> ReadPath(HKEY key, LONG& error) {
    PathValue value;
    while (true) {
        DWORD bytes = 0;
        error = RegQueryValueExW(key, L"Path", nullptr, &value.type, nullptr, &bytes);
        if (error == ERROR_FILE_NOT_FOUND) {
            error = ERROR_SUCCESS;
            return PathValue{};
        }
        if (error != ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) {
            error = ERROR_INVALID_DATA;
            return std::nullopt;
        }
        value.text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        error = RegQueryValueExW(key, L"Path", nullptr, &value.type,
                                 reinterpret_cast<BYTE*>(value.text.data()), &bytes);
        if (error == ERROR_MORE_DATA) {
            continue;
        }
        if (error != ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.text.resize(bytes / sizeof(wchar_t));
        while (!value.text.empty() && value.text.back() == L'\0') {
            value.text.pop_back();
        }
        return value;
    }
}

LONG WritePath(HKEY key, const PathValue& value) {
    const auto bytes = static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, L"Path", 0, value.type,
                          reinterpret_cast<const BYTE*>(value.text.c_str()), bytes);
}

// Explorer and the other running programs read the environment anew; a program that
// does not answer within five seconds is passed over.
void AnnounceChange() {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>(L"Environment"), SMTO_ABORTIFHUNG, 5000, &result);
}

int Change(const Environment& environment, bool add, const std::wstring& folder) {
    HKEY key = nullptr;
    LONG error = RegCreateKeyExW(environment.root, environment.key, 0, nullptr, 0,
                                 KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
    if (error != ERROR_SUCCESS) {
        return Say(kRegistryFailed, "PATH left unchanged: its registry key cannot be opened (" +
                                        SystemMessage(error) + ")");
    }
    std::optional<PathValue> value = ReadPath(key, error);
    int status = kUnchanged;
    std::string line;
    if (!value) {
        status = kRegistryFailed;
        line = "PATH left unchanged: it cannot be read (" + SystemMessage(error) + ")";
    } else if (add == path_list::Contains(value->text, folder)) {
        line = add ? "the folder was on PATH already" : "the folder was not on PATH";
    } else {
        const std::wstring old = value->text;
        value->text =
            add ? path_list::WithEntry(old, folder) : path_list::WithoutEntry(old, folder);
        if (value->text.size() >= path_list::kLongestValue) {
            status = kTooLong;
            line = "PATH left unchanged: with the folder it would be " +
                   std::to_string(value->text.size()) + " characters, over Windows' limit of " +
                   std::to_string(path_list::kLongestValue - 1);
        } else if ((error = WritePath(key, *value)) != ERROR_SUCCESS) {
            status = kRegistryFailed;
            line = "PATH left unchanged: it cannot be written (" + SystemMessage(error) + ")";
        } else {
            status = kChanged;
            line = add ? "the folder was added to PATH" : "the folder was taken out of PATH";
        }
    }
    RegCloseKey(key);
    if (status == kChanged) {
        AnnounceChange();
    }
    return Say(status, line);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring action = argc == 4 ? argv[1] : L"";
    const std::wstring scope = argc == 4 ? argv[2] : L"";
    if ((action != L"add" && action != L"remove") || (scope != L"user" && scope != L"system") ||
        argv[3][0] == L'\0') {
        return Say(kUsage, "usage: path_entry add|remove user|system FOLDER");
    }
    const Environment environment =
        scope == L"user"
            ? Environment{HKEY_CURRENT_USER, L"Environment"}
            : Environment{HKEY_LOCAL_MACHINE,
                          L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment"};
    return Change(environment, action == L"add", argv[3]);
}
