// h8: the banner engine for scripts and terminals.

#include "cli/font_report.h"
#include "cli/h8_options.h"
#include "commands/banner_file.h"
#include "engine/banner.h"
#include "platform/binary_output.h"
#include "platform/checked16.h"
#include "settings/layout_options.h"

#include <QByteArray>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

namespace {

void PrintError(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

void PrintOut(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// The lines of standard input, each without its line end (LF or CR LF).
QStringList StandardInputLines() {
    std::string input{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    QStringList lines;
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = input.find('\n', start);
        std::size_t next = end == std::string::npos ? input.size() : end + 1;
        std::string_view line(input.data() + start,
                              (end == std::string::npos ? input.size() : end) - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.append(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        start = next;
    }
    return lines;
}

void ApplyOptions(const h8::Invocation& invocation) {
    modOptions::HSpaces = invocation.hSpaces;
    modOptions::VSpaces = invocation.vSpaces;
    modOptions::PageWidth = invocation.pageWidth;
}

// Prints, shows or saves one line; returns the exit status it earns.
int Enlarge(const h8::Invocation& invocation, const QString& text, platform::FileSystem& files) {
    const std::u16string line = text.toStdU16String();
    if (!invocation.quiet) {
        QString report = h8::FontReport(line);
        if (!report.isEmpty()) {
            PrintError(report);
        }
    }
    try {
        if (invocation.show) {
            mod8Zevazuv::RenderLine(line);
            PrintOut(mod8Zevazuv::BandText);
        }
        if (!invocation.show || invocation.save) {
            mod8Zevazuv::ComposePage(line);
        }
        if (invocation.save) {
            modMain::WriteBannerFile(files, line, mod8Zevazuv::PageText);
        } else if (!invocation.show) {
            PrintOut(mod8Zevazuv::PageText);
        }
    } catch (const platform::Overflow&) {
        PrintError(QStringLiteral("h8: the line of %1 characters is too long to enlarge: %2")
                       .arg(text.size())
                       .arg(QString::fromLatin1(mod8Zevazuv::OverflowCause(text.size()))));
        return 1;
    } catch (const platform::OutputError& error) {
        PrintError(QStringLiteral("h8: ") + error.Message());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    h8::Parsed parsed = h8::ParseArguments(arguments);
    if (!parsed.invocation) {
        PrintError(parsed.error);
        return 2;
    }
    const h8::Invocation& invocation = *parsed.invocation;
    if (invocation.help || invocation.version) {
        std::fputs(invocation.help ? h8::kUsage : "h8 (Loftype) 1.2\n", stdout);
        return 0;
    }
    platform::UseBinaryStandardOutput();
    ApplyOptions(invocation);
    modMain::InitEngine();
    QStringList lines = invocation.words.isEmpty() ? StandardInputLines()
                                                   : QStringList{invocation.words.join(u' ')};
    std::unique_ptr<platform::FileSystem> files = platform::CreateFileSystemObject();
    int status = 0;
    for (const QString& line : lines) {
        status = std::max(status, Enlarge(invocation, line, *files));
    }
    return std::fflush(stdout) == 0 ? status : 1;
}
