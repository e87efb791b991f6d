#pragma once

#include <string>
#include <string_view>

// A PATH value: folders separated by ";". The installer adds its folder at the end and
// the uninstaller takes exactly that entry out again, so that every other byte of the
// value, separators and empty entries included, ends as it was.
namespace path_list {

// Windows' limit for the value of an environment variable, in UTF-16 units with its
// terminating null.
constexpr std::size_t kLongestValue = 32767;

// Whether an entry of the value names the folder: letters compared without regard to
// ASCII case, a trailing backslash ignored on either side.
bool Contains(std::wstring_view path, std::wstring_view folder);

// The value with the folder added at its end.
std::wstring WithEntry(std::wstring_view path, std::wstring_view folder);

// The value without the entries that name the folder, each taken out with the separator
// that WithEntry put beside it.
std::wstring WithoutEntry(std::wstring_view path, std::wstring_view folder);

} // namespace path_list
