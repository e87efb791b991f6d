#include "packaging/windows/path_entry/path_list.h"

#include <algorithm>

namespace path_list {

namespace {

std::wstring_view WithoutTrailingBackslash(std::wstring_view folder) {
    while (folder.size() > 1 && folder.back() == L'\\') {
        folder.remove_suffix(1);
    }
    return folder;
}

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool NamesFolder(std::wstring_view entry, std::wstring_view folder) {
    entry = WithoutTrailingBackslash(entry);
    folder = WithoutTrailingBackslash(folder);
    return std::ranges::equal(entry, folder,
                              [](wchar_t a, wchar_t b) { return AsciiLower(a) == AsciiLower(b); });
}

// Calls visit(start, end) for the bounds of each entry of the value.
template <class Visit> void ForEachEntry(std::wstring_view path, Visit visit) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(path.find(L';', start), path.size());
        visit(start, end);
        if (end == path.size()) {
            return;
        }
        start = end + 1;
    }
}

} // namespace

bool Contains(std::wstring_view path, std::wstring_view folder) {
    bool found = false;
    ForEachEntry(path, [&](std::size_t start, std::size_t end) {
        found = found || NamesFolder(path.substr(start, end - start), folder);
    });
    return found;
}

// An empty value gets the folder alone; one that ends with a separator keeps a
// separator at its end.
std::wstring WithEntry(std::wstring_view path, std::wstring_view folder) {
    std::wstring result(path);
    if (path.empty()) {
        return result.append(folder);
    }
    if (path.back() == L';') {
        return result.append(folder).append(L";");
    }
    return result.append(L";").append(folder);
}

// An entry goes with the separator after it; the last entry, which has none, with the
// separator before it.
std::wstring WithoutEntry(std::wstring_view path, std::wstring_view folder) {
    std::wstring result;
    ForEachEntry(path, [&](std::size_t start, std::size_t end) {
        if (NamesFolder(path.substr(start, end - start), folder)) {
            if (end == path.size() && !result.empty() && result.back() == L';') {
                result.pop_back();
            }
            return;
        }
        result.append(path.substr(start, end - start));
        if (end < path.size()) {
            result.push_back(L';');
        }
    });
    return result;
}

} // namespace path_list
