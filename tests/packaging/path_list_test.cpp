#include "packaging/windows/path_entry/path_list.h"

#include <gtest/gtest.h>

// Adding the folder and taking it out again gives back every byte of the value.
TEST(PathList, TakingTheAddedEntryOutRestoresTheValue) {
    const std::wstring_view folder = L"C:\\Users\\Zo\\AppData\\Local\\Programs\\Loftype";
    const std::pair<std::wstring_view, std::wstring_view> cases[] = {
        {L"", L"C:\\Users\\Zo\\AppData\\Local\\Programs\\Loftype"},
        {L"C:\\bin", L"C:\\bin;C:\\Users\\Zo\\AppData\\Local\\Programs\\Loftype"},
        {L"C:\\bin;", L"C:\\bin;C:\\Users\\Zo\\AppData\\Local\\Programs\\Loftype;"},
        {L";;%USERPROFILE%\\bin;;D:\\x",
         L";;%USERPROFILE%\\bin;;D:\\x;C:\\Users\\Zo\\AppData\\Local\\Programs\\Loftype"},
    };
    for (const auto& [path, added] : cases) {
        EXPECT_FALSE(path_list::Contains(path, folder));
        EXPECT_EQ(path_list::WithEntry(path, folder), added);
        EXPECT_TRUE(path_list::Contains(added, folder));
        EXPECT_EQ(path_list::WithoutEntry(added, folder), path);
    }
}

// An entry names the folder whatever the ASCII case and a trailing backslash; entries
// that merely begin or end like it stay.
TEST(PathList, OnlyEntriesThatNameTheFolderAreTakenOut) {
    const std::wstring_view folder = L"C:\\Programs\\Loftype";
    const std::pair<std::wstring_view, std::wstring_view> cases[] = {
        {L"c:\\programs\\LOFTYPE\\;C:\\bin", L"C:\\bin"},
        {L"C:\\bin;C:\\Programs\\Loftype;D:\\x", L"C:\\bin;D:\\x"},
        {L"C:\\Programs\\Loftype;C:\\bin;C:\\Programs\\Loftype", L"C:\\bin"},
        {L"C:\\Programs\\Loftype2;D:\\C:\\Programs\\Loftype;C:\\Programs",
         L"C:\\Programs\\Loftype2;D:\\C:\\Programs\\Loftype;C:\\Programs"},
        {L"C:\\Programs\\Loftype", L""},
    };
    for (const auto& [path, rest] : cases) {
        EXPECT_EQ(path_list::WithoutEntry(path, folder), rest) << std::wstring(path);
        EXPECT_EQ(path_list::Contains(path, folder), path != rest) << std::wstring(path);
    }
}
