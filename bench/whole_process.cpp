// Whole-process timing of h8 against other programs, in pairs that alternate their
// order: whole_process ROUNDS H8 FIGLET CAT FLOOR (FLOOR: a static program that prints
// one line). Prints one table row per comparison with the medians and their ratio.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct Command {
    std::vector<std::string> arguments;
    std::string input = "/dev/null";
};

// Runs the command with its input file and its output thrown away; milliseconds.
double Run(const Command& command) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, command.input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : command.arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
        waitpid(child, &status, 0) < 0 || !WIFEXITED(status)) {
        std::fprintf(stderr, "could not run %s\n", argv[0]);
        std::exit(1);
    }
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Times the two commands in turn, rounds times each, the first one first in every
// other round; prints the row and returns h8's median.
double Compare(const char* what, const Command& h8, const Command& other, int rounds) {
    std::vector<double> mine;
    std::vector<double> theirs;
    Run(h8);
    Run(other);
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            mine.push_back(Run(h8));
            theirs.push_back(Run(other));
        } else {
            theirs.push_back(Run(other));
            mine.push_back(Run(h8));
        }
    }
    const double a = Median(mine);
    const double b = Median(theirs);
    std::printf("| %s | %.2f ms | %.2f ms | %.2fx | %.1fx |\n", what, a, b, a / b, b / a);
    return a;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: whole_process ROUNDS H8 FIGLET CAT FLOOR\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[1]));
    const std::string h8 = argv[2];
    const std::string figlet = argv[3];
    const std::string cat = argv[4];
    const std::string floor = argv[5];

    // 30,000 characters of prose, all of them in the font.
    const std::string sentence = "The quick brown fox jumps over the lazy dog. ";
    std::string line;
    while (line.size() < 30000) {
        line += sentence;
    }
    line.resize(30000);
    const std::string lineFile = "/tmp/whole_process_line.txt";
    WriteFile(lineFile, line + "\n");

    const Command narrow{{h8, "-w", "80"}, lineFile};
    std::printf("| comparison | h8 | other | h8 / other | other / h8 |\n|---|---|---|---|---|\n");
    Compare("`h8 Hello` against `figlet Hello`", {{h8, "Hello"}}, {{figlet, "Hello"}}, rounds);
    Compare("`h8 Hello` against a static program that prints one line", {{h8, "Hello"}},
            {{floor, "Hello"}}, rounds);
    Compare("30,000 characters, `-w 80`, against `figlet -w 80`", narrow,
            {{figlet, "-w", "80"}, lineFile}, std::max(5, rounds / 10));
    Compare("the same, no limit, against `figlet -w 10000000`", {{h8}, lineFile},
            {{figlet, "-w", "10000000"}, lineFile}, std::max(3, rounds / 100));

    // cat writes the very bytes that h8 -w 80 writes.
    const std::string banner = "/tmp/whole_process_banner.txt";
    const std::string command = h8 + " -w 80 < " + lineFile + " > " + banner;
    if (std::system(command.c_str()) != 0) {
        return 1;
    }
    Compare("the same line, `-w 80`, against `cat` of its output", narrow, {{cat, banner}}, rounds);

    // The output forms against plain text, on the same line.
    const struct {
        const char* what;
        std::vector<std::string> options;
    } forms[] = {
        {"the same line, `-w 80 --trim`, against plain text", {"--trim"}},
        {"the same line, `-w 80 --prefix '# '`, against plain text", {"--prefix", "# "}},
        {"the same line, `-w 80 --format markdown`, against plain text", {"--format", "markdown"}},
        {"the same line, `-w 80 --format html`, against plain text", {"--format", "html"}},
    };
    for (const auto& form : forms) {
        Command shaped = narrow;
        shaped.arguments.insert(shaped.arguments.end(), form.options.begin(), form.options.end());
        Compare(form.what, shaped, narrow, rounds);
    }

    // Many short lines on standard input, into output that is no terminal, against
    // the same with no terminal to ask for its width; with the lines h8 reads a second.
    const struct {
        const char* what;
        std::string line;
        int count;
    } inputs[] = {
        {"200,000 lines of `Hi` on standard input, against `-w -1`", "Hi", 200000},
        {"2,000,000 empty lines on standard input, against `-w -1`", "", 2000000},
    };
    std::vector<std::string> perSecond;
    for (const auto& input : inputs) {
        std::string lines;
        for (int i = 0; i < input.count; ++i) {
            lines += input.line + "\n";
        }
        const std::string linesFile = "/tmp/whole_process_lines.txt";
        WriteFile(linesFile, lines);
        const double ms =
            Compare(input.what, {{h8}, linesFile}, {{h8, "-w", "-1"}, linesFile}, rounds);
        perSecond.push_back(std::to_string(static_cast<long>(input.count / (ms / 1000))) +
                            " lines a second: " + input.what);
    }
    for (const std::string& figure : perSecond) {
        std::printf("\n%s", figure.c_str());
    }
    std::printf("\n");
    return 0;
}
