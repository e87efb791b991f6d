#include "commands/output_commands.h"

#include "commands/banner_file.h"
#include "commands/display.h"
#include "engine/banner.h"
#include "ui/desktop.h"
#include "ui/error_windows.h"
#include "ui/forms.h"
#include "ui/main_window.h"

#include <QDir>
#include <optional>

namespace modMain {
namespace {

// Reads the line from Main's text box and checks it; a refused line gets the beep
// and ErrorInput.
std::optional<std::u16string> AcceptedLine() {
    std::u16string line = ui::Forms::Load<ui::Main>().txtInput->text().toStdU16String();
    if (!CheckInputLine(line)) {
        ui::Beep();
        ui::Forms::Show<ui::ErrorInput>();
        return std::nullopt;
    }
    return line;
}

// A clause of the engine as a sentence of a notice window.
QString Sentence(const std::string& clause) {
    QString sentence = QString::fromStdString(clause);
    sentence[0] = sentence[0].toUpper();
    return sentence + u'.';
}

// Runs a command on the accepted line, reporting what fails instead of letting it
// end the program: a line too wide to enlarge (the command returns false) or an
// output that fails.
template <class Command> void RunOnInputLine(Command command) {
    std::optional<std::u16string> line = AcceptedLine();
    if (!line) {
        return;
    }
    try {
        if (!command(*line)) {
            modErrors::ReportOutputFailure(Sentence(mod8Zevazuv::OverflowMessage(*line)));
        }
    } catch (const platform::OutputError& error) {
        modErrors::ReportOutputFailure(QString::fromUtf8(error.what()));
    }
}

QString PageTextAsQString() {
    return QString::fromLatin1(mod8Zevazuv::PageText.data(),
                               static_cast<qsizetype>(mod8Zevazuv::PageText.size()));
}

// Clears the clipboard and puts the text on it, then reads it back: a clipboard
// that did not take the text gets its old text back and the failure is reported.
void PutOnClipboard(const QString& text) {
    ui::Clipboard& clipboard = ui::CurrentClipboard();
    const QString previous = clipboard.Text();
    clipboard.Clear();
    clipboard.SetText(text);
    if (clipboard.Text() != text) {
        clipboard.SetText(previous);
        throw platform::OutputError(
            "The banner could not be put on the clipboard: the clipboard did not take the text.");
    }
}

} // namespace

bool CheckInputLine(std::u16string_view) {
    return true;
}

void ShowCommand() {
    RunOnInputLine([](const std::u16string& line) {
        if (!mod8Zevazuv::RenderLine(line)) {
            return false;
        }
        ui::Display::Open(QString::fromStdU16String(line), mod8Zevazuv::Rows,
                          mod8Zevazuv::LastBandWidth);
        return true;
    });
}

void CopyCommand() {
    RunOnInputLine([](const std::u16string& line) {
        if (!mod8Zevazuv::ComposePage(line)) {
            return false;
        }
        PutOnClipboard(PageTextAsQString());
        return true;
    });
}

void SaveCommand() {
    RunOnInputLine([](const std::u16string& line) {
        if (!mod8Zevazuv::ComposePage(line)) {
            return false;
        }
        std::unique_ptr<platform::FileSystem> fileSystem = platform::CreateFileSystemObject();
        try {
            WriteBannerFile(*fileSystem, line, mod8Zevazuv::PageText);
        } catch (const platform::FolderError& error) {
            // Started from a menu, the program has a current folder that its user does
            // not know: the message names the folder in full.
            const QString folder = QDir::toNativeSeparators(QDir::current().absoluteFilePath(
                QString::fromStdU16String(std::u16string(kBannerFolder))));
            throw platform::FolderError(folder.toStdU16String(), error.Reason(),
                                        std::u16string::npos);
        }
        return true;
    });
}

} // namespace modMain
