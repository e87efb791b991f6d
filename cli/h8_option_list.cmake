# Every option of h8, in the order in which --help, the manual page and the shells
# list them: the one place where an option is written. CMake reads it as it configures
# (cli/option_list.cmake) and makes from it the parse table and the option rows of
# --help, for cli/h8_options.cpp, and the completions for bash, zsh and fish
# (packaging/completions/). The test H8OptionCopiesAgree checks the manual page,
# docs/h8.md and h8's own choices against it, and names what a copy lacks.
#
# h8_option(NAME                  the long name, --NAME
#     [LETTER L]                  the short form, -L
#     [VALUE V WHAT]              takes a value: V names it in --help, WHAT in the shells
#     [RANGE LOW HIGH | CHOICES WORD ...]  the values that the shells complete
#     [ALONE]                     does nothing but print and exit: no synopsis shows it,
#                                 and the shells complete nothing after it
#     BRIEF TEXT                  what it does, as the shells show it
#     HELP LINE ...)              what it does in --help, lines of 58 characters at most
#
# A new option needs its case in Apply (cli/h8_options.cpp), which the compiler asks
# for, and its place in packaging/h8.1.in and docs/h8.md, which the test asks for.

h8_option(spaces LETTER s VALUE N "blanks, less one" RANGE 0 12
    BRIEF "blanks after each character, less one"
    HELP "blanks after each large character, less one: 0 to 12"
         "(default 1, which writes two blanks)")
h8_option(lines LETTER l VALUE N "empty lines, less one" RANGE 0 12
    BRIEF "empty lines after each band, less one"
    HELP "empty lines after each band, less one: 0 to 12 (default"
         "1, which writes two empty lines)")
h8_option(width LETTER w VALUE N "page width"
    BRIEF "page width in small characters (below 1: no limit)"
    HELP "page width in small characters, as the desktop program"
         "takes it: a band ends with the character whose width"
         "reaches it, blanks not counted; any number from -32768 to"
         "32767, and below 1 means no limit (-w -1)")
h8_option(terminal LETTER t
    BRIEF "bands that fit the terminal"
    HELP "cut the line into bands that fit the columns of the"
         "terminal on standard output, else the number in COLUMNS,"
         "else no limit; of -t and -w the later one counts"
         "Without -w or -t the bands fit the terminal when standard"
         "output is one; a pipe or a file gets no limit.")
h8_option(quiet LETTER q
    BRIEF "say nothing about characters outside the font"
    HELP "say nothing about characters that the font does not have")
h8_option(crlf
    BRIEF "end the lines with CR LF"
    HELP "end the printed lines with CR LF, as Copy does")
h8_option(lf
    BRIEF "end the lines with LF"
    HELP "end the printed lines with LF")
h8_option(trim
    BRIEF "no blanks at the end of any line"
    HELP "no blanks at the end of any printed line")
h8_option(prefix VALUE TEXT "text"
    BRIEF "begin every line with a text"
    HELP "begin every printed line with TEXT (\"# \", \"// \")")
h8_option(format VALUE F "form" CHOICES text markdown html
    BRIEF "output form"
    HELP "text (default), markdown (the banner in a fenced code"
         "block) or html (one <pre role=\"img\"> element that screen"
         "readers name by the line; ASCII, HTML-escaped)")
h8_option(align VALUE A "alignment" CHOICES left center centre right
    BRIEF "where each band stands within the page width"
    HELP "left (default), center (or centre) or right: where each"
         "band stands within the page width; nothing moves without"
         "a limit or in a band as wide as the page")
h8_option(show
    BRIEF "print the line as one band"
    HELP "print the line as one band, as the Show command displays"
         "it")
h8_option(save
    BRIEF "write Files/<line>.txt and print nothing"
    HELP "write the banner to Files/<line>.txt under the current"
         "directory exactly as the Save command does (CR LF, the"
         "page width of -w), and print nothing")
h8_option(export-font ALONE
    BRIEF "write the built-in font as a FIGfont"
    HELP "write the built-in font to standard output as a FIGfont"
         "(flf2a) and exit: figlet -W draws a line with it as h8"
         "-w -1 draws it, trailing blanks aside")
h8_option(help LETTER h ALONE
    BRIEF "print the help"
    HELP "print this help and exit")
h8_option(version ALONE
    BRIEF "print the version"
    HELP "print the version and exit")
