#pragma once

#include <string_view>

// Show, Copy and Save: each reads the line from Main's text box, checks it, has the engine render
// it and hands the banner on. A failure of the engine (a line too wide) or of the output gives the
// beep and ErrorOutput; nothing is written and the program goes on.
namespace modMain {

// True when the line may be processed: every line may.
bool CheckInputLine(std::u16string_view line);

// Opens a new Display with the line as one band.
void ShowCommand();
// Puts the banner on the clipboard.
void CopyCommand();
// Writes the banner to Files/<line>.txt.
void SaveCommand();

} // namespace modMain
