#!/usr/bin/env node
'use strict';
// loftype [OPTION ...] [LINE ...]: prints the banner of the words joined by blanks, or of
// each line of standard input, as h8 --lf does, with h8's options that shape the
// printed banner. Options, values, messages and exit statuses are h8's (cli/h8_options.cpp).
const fs = require('node:fs');
const os = require('node:os');
const util = require('node:util');
const { banner, BannerMemoryError, BannerTooWideError } = require('./index.cjs');
const { version } = require('./package.json');

const usage = `Usage: loftype [OPTION ...] [LINE ...]

Turns a line into a banner eight rows high, each large character drawn with
copies of itself, and prints it as h8 --lf does.

The words of LINE are joined by single blanks. Without LINE, every line of
standard input (UTF-8, its line end removed) becomes one banner, and one
Markdown block or HTML element.

Options:
  -s, --spaces N    blanks after each large character, less one: 0 to 12
                    (default 1, which writes two blanks)
  -l, --lines N     empty lines after each band, less one: 0 to 12 (default
                    1, which writes two empty lines)
  -w, --width N     page width in small characters, as the desktop program
                    takes it: a band ends with the character whose width
                    reaches it, blanks not counted; any number from -32768 to
                    32767, and below 1 means no limit (-w -1)
                    Without -w the bands fit the terminal when standard
                    output is one; a pipe or a file gets no limit.
  -q, --quiet       say nothing about characters that the font does not have
      --trim        no blanks at the end of any printed line
      --prefix TEXT begin every printed line with TEXT ("# ", "// ")
      --format F    text (default), markdown (the banner in a fenced code
                    block) or html (one <pre role="img"> element that screen
                    readers name by the line; ASCII, HTML-escaped)
      --align A     left (default), center (or centre) or right: where each
                    band stands within the page width; nothing moves without
                    a limit or in a band as wide as the page
  -h, --help        print this help and exit
      --version     print the version and exit
  --                end of options: every argument after it is a word of LINE

Values go in the next argument or attached: -w80, -w 80, --width=80,
--width 80. Letters without values may be joined (-qs0); a long name may be cut
short while it stays unambiguous (--wid).
Numbers may have blanks around them, a sign, a fraction and an exponent (1e1);
the decimal separator is "." whatever the locale. Fractions round to the nearest
whole number, a half to the even one.
A character outside the font is drawn as a blank (or as "?" when it has no
Windows-1252 code); loftype names such characters on standard error unless -q.

Exit status: 0 on success, 1 when a line is too wide to enlarge or standard
input or output fails, 2 for a bad option or value.
`;

// The options in --help's order: the long name, the letter, and the package's option
// that it sets: to true (flag), or to its value (option), with what h8's message says a
// number or a choice takes.
const spacing = 'a number from 0 to 12';
const options = [
    { name: 'spaces', letter: 's', option: 'spaces', takes: spacing },
    { name: 'lines', letter: 'l', option: 'lines', takes: spacing },
    { name: 'width', letter: 'w', option: 'width', takes: 'a number from -32768 to 32767' },
    { name: 'quiet', letter: 'q' },
    { name: 'trim', flag: 'trim' },
    { name: 'prefix', option: 'prefix' },
    { name: 'format', option: 'format', takes: 'text, markdown or html', choices: { text: 'text', markdown: 'markdown', html: 'html' } },
    { name: 'align', option: 'align', takes: 'left, center or right', choices: { left: 'left', center: 'center', centre: 'center', right: 'right' } },
    { name: 'help', letter: 'h' },
    { name: 'version' },
];

// The package drops a byte-order mark at the start of the line, the prefix and each
// number, as h8 drops one from each argument; the command has dropped it already (see
// parse), so what it hands on starts with one for the package to drop.
const asGiven = (text) => `\ufeff${text}`;

// Text as h8's messages show it: each control and invisible format character written
// as an escape, so that no message moves the terminal's cursor or reorders its line.
const formatCharacters = /[\x00-\x1f\x7f-\x9f\u00ad\u0600-\u0605\u061c\u06dd\u070f\u0890\u0891\u08e2\u180e\u200b-\u200f\u202a-\u202e\u2060-\u206f\ufeff\ufff9-\ufffb\u{110bd}\u{110cd}\u{13430}-\u{1343f}\u{1bca0}-\u{1bca3}\u{1d173}-\u{1d17a}\u{e0001}\u{e0020}-\u{e007f}]/gu;
const hex = (code, digits) => code.toString(16).padStart(digits, '0');
const shown = (text) => text.replace(formatCharacters, (c) => {
    const code = c.codePointAt(0);
    if (code < 0x20 || code === 0x7f) return `\\x${hex(code, 2)}`;
    return code > 0xffff ? `\\U${hex(code, 8)}` : `\\u${hex(code, 4)}`;
});
const say = (message) => process.stderr.write(`loftype: ${shown(message)}\n`);

// True when the package takes the value for the option, as h8 reads it.
function takes(option, value) {
    try {
        banner('', { [option]: asGiven(value) });
        return true;
    } catch (error) {
        if (error instanceof RangeError) return false;
        throw error;
    }
}

// The options' settings and the words, or the usage error, as h8 reads its arguments:
// options first wherever they stand, until "--".
function parse(args) {
    const settings = { banner: {}, words: [] };
    // Applies the option with its value (undefined for one that takes none), named as given.
    const apply = (option, given, value) => {
        if (option.choices) {
            if (!Object.hasOwn(option.choices, value)) return `${given} takes ${option.takes}, not "${value}"`;
            settings.banner[option.option] = option.choices[value];
        } else if (option.takes) {
            if (!takes(option.option, value)) return `${given} takes ${option.takes}, not "${value}"`;
            settings.banner[option.option] = asGiven(value);
        } else if (option.option) {
            settings.banner[option.option] = asGiven(value);
        } else if (option.flag) {
            settings.banner[option.flag] = true;
        } else {
            settings[option.name] = true;
        }
        return '';
    };
    let at = 0;
    // The value attached to the option, or else the next argument.
    const use = (option, given, attached) => {
        if (!option.option || attached) return apply(option, given, option.option ? attached : undefined);
        if (at + 1 === args.length) return `${given} needs a value`;
        return apply(option, given, args[++at]);
    };
    const readLong = (argument) => {
        const equals = argument.indexOf('=');
        const typed = equals < 0 ? argument : argument.slice(0, equals);
        const exact = options.find((o) => o.name === typed);
        const starting = exact ? [exact] : options.filter((o) => typed && o.name.startsWith(typed));
        if (starting.length === 0) return `unknown option "--${typed || argument}" (try loftype --help)`;
        if (starting.length > 1) return `option "--${typed}" is ambiguous: ${starting.map((o) => `--${o.name}`).join(', ')}`;
        const [option] = starting;
        const name = `--${option.name}`;
        if (equals < 0) return use(option, name, '');
        if (!option.option) return `${name} takes no value`;
        return apply(option, name, argument.slice(equals + 1));
    };
    const readShort = (letters) => {
        for (let i = 0; i < letters.length; ++i) {
            // A letter beyond U+FFFF is named whole, though no option has it.
            const letter = String.fromCodePoint(letters.codePointAt(i));
            const option = options.find((o) => o.letter === letter);
            if (!option) return `unknown option "-${letter}" (try loftype --help)`;
            if (option.option) return use(option, `-${letter}`, letters.slice(i + 1));
            apply(option, `-${letter}`);
        }
        return '';
    };
    let ended = false;
    for (; at < args.length; ++at) {
        const argument = args[at];
        let error = '';
        if (ended || argument.length < 2 || argument[0] !== '-') {
            settings.words.push(argument);
        } else if (argument === '--') {
            ended = true;
        } else {
            error = argument.startsWith('--') ? readLong(argument.slice(2)) : readShort(argument.slice(1));
        }
        if (error) return { error };
    }
    return settings;
}

// What the system calls an error number, as h8 gives it ("No space left on device"):
// Node's names are the C library's but for a few, which take the C library's here.
const libcReasons = { EISDIR: 'Is a directory', EIO: 'Input/output error' };
function reason(errno) {
    const [name, text = `error ${errno}`] = util.getSystemErrorMap().get(errno) ?? [];
    return libcReasons[name] ?? `${text[0].toUpperCase()}${text.slice(1)}`;
}

// Node puts /dev/null, open for reading and writing, in place of a standard stream that
// was closed when it started (descriptor fd), where h8 would find none; a shell's
// >/dev/null or </dev/null opens it for writing or reading only. Linux shows how a
// descriptor was opened (its access mode is the flags' two low bits); elsewhere this
// tells nothing.
function wasClosed(fd) {
    try {
        const flags = Number.parseInt(/^flags:\s*([0-7]+)/m.exec(fs.readFileSync(`/proc/self/fdinfo/${fd}`, 'utf8'))[1], 8);
        return (flags & 3) === fs.constants.O_RDWR && fs.readlinkSync(`/proc/self/fd/${fd}`) === '/dev/null';
    } catch {
        return false;
    }
}

// Standard output, written as h8 writes it. A failed write, as h8 reports it: a reader
// gone (EPIPE) ends the command quietly with the status that a shell gives h8 ended by
// SIGPIPE (128 + 13); any other error is one line and status 1. Either ends the
// command: no later line is read or written.
const output = {
    failed: false,
    checked: false,
    fail(errno) {
        if (this.failed) return;
        this.failed = true;
        if (errno !== -os.constants.errno.EPIPE) say(`cannot write to standard output: ${reason(errno)}`);
        process.exit(errno === -os.constants.errno.EPIPE ? 141 : 1);
    },
    write(text) {
        if (!text) return;
        if (!this.checked) {
            this.checked = true;
            if (wasClosed(1)) this.fail(-os.constants.errno.EBADF);
            process.stdout.on('error', (error) => this.fail(error.errno));
        }
        process.stdout.write(text);
    },
};

// Without -w, the columns of the terminal on standard output, which the bands fit as
// h8's do (the blanks after each character counted), asked again for each line as the
// terminal may be resized; 0, no limit, for a pipe or a file.
function terminalColumns(settings) {
    if (settings.banner.width !== undefined || !process.stdout.isTTY) return 0;
    return Math.min(Math.max(process.stdout.columns || 0, 0), 32767);
}

// Prints the banner of one line; the exit status that it earns.
function print(line, settings) {
    const onOutsideFont = settings.quiet ? undefined : say;
    try {
        output.write(banner(asGiven(line), { ...settings.banner, columns: terminalColumns(settings), onOutsideFont }));
        return 0;
    } catch (error) {
        if (!(error instanceof BannerTooWideError || error instanceof BannerMemoryError)) throw error;
        say(error.message);
        return 1;
    }
}

// Prints the banner of every line of standard input as soon as the line is complete:
// LF or CR LF ends it, a byte-order mark at the very start of the input is dropped,
// and bytes that are no UTF-8 become U+FFFD, as h8 reads it.
function printInput(settings) {
    // A folder gives Node's standard input no error but an end at once, and a closed one
    // /dev/null (see wasClosed), where h8's first read fails.
    const { EISDIR, EBADF } = os.constants.errno;
    const failure = fs.fstatSync(0).isDirectory() ? EISDIR : wasClosed(0) ? EBADF : 0;
    if (failure) {
        say(`cannot read standard input: ${reason(-failure)}`);
        process.exitCode = 1;
        return;
    }
    const utf8 = new TextDecoder('utf-8', { ignoreBOM: true });
    let pending = [];
    let started = false;
    const line = () => {
        let bytes = Buffer.concat(pending);
        pending = [];
        if (!started && bytes[0] === 0xef && bytes[1] === 0xbb && bytes[2] === 0xbf) bytes = bytes.subarray(3);
        started = true;
        if (bytes.at(-1) === 0x0d) bytes = bytes.subarray(0, -1);
        process.exitCode = Math.max(process.exitCode ?? 0, print(utf8.decode(bytes), settings));
    };
    process.stdin.on('data', (chunk) => {
        let from = 0;
        for (let end = chunk.indexOf(0x0a); end >= 0; end = chunk.indexOf(0x0a, from)) {
            pending.push(chunk.subarray(from, end));
            line();
            from = end + 1;
        }
        if (from < chunk.length) pending.push(chunk.subarray(from));
    });
    process.stdin.on('end', () => pending.length > 0 && line());
    process.stdin.on('error', (error) => {
        say(`cannot read standard input: ${reason(error.errno)}`);
        process.exitCode = 1;
    });
}

const settings = parse(process.argv.slice(2).map((a) => (a.startsWith('\ufeff') ? a.slice(1) : a)));
if (settings.error) {
    say(settings.error);
    process.exitCode = 2;
} else if (settings.help || settings.version) {
    output.write(settings.help ? usage : `loftype ${version}\n`);
} else if (settings.words.length > 0) {
    process.exitCode = print(settings.words.join(' '), settings);
} else {
    printInput(settings);
}
