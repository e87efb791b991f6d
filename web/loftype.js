'use strict';

// The banner engine in WebAssembly, for JavaScript: createLoftype(bytes) instantiates
// the module synchronously (bytes may also be the module already compiled) and returns
// its functions. Text goes into the module as UTF-16 units and comes back as UTF-8 bytes.
// asciiText, where given, makes the string of a banner of ASCII bytes in place of the
// UTF-8 decoder. Node's Buffer makes a string of megabytes in memory from the C library's
// allocator, which reuses that of the strings collected before, where each of the
// decoder's takes new pages, whose first touch costs more than the banner on some
// machines (see bench/package_bench.mjs).
function createLoftype(bytes, { asciiText } = {}) {
    const compiled = bytes instanceof WebAssembly.Module ? bytes : new WebAssembly.Module(bytes);
    const instantiate = () => {
        const fresh = new WebAssembly.Instance(compiled, {}).exports;
        fresh._initialize();
        fresh.start();
        return fresh;
    };
    let exports = instantiate();
    // The module's addresses and sizes are unsigned 32-bit numbers, which JavaScript gets
    // as signed ones: read as they come, those beyond 2 GiB would be negative.
    const unsigned = (value) => value >>> 0;
    // The ranges of the layout numbers, as the module gives them (read at once: a view
    // of the memory ends when the memory grows).
    const [spacingLow, spacingHigh, widthLow, widthHigh] = new Int32Array(exports.memory.buffer, unsigned(exports.limits()), 4);
    const limits = Object.freeze({
        spacing: Object.freeze({ low: spacingLow, high: spacingHigh }),
        width: Object.freeze({ low: widthLow, high: widthHigh }),
    });
    // ignoreBOM keeps a byte order mark at the start of a text in it: a name or a banner
    // begins with one when the line or the prefix had two (the first dropped, see module.cpp).
    // Made at the first text that needs it, as making it and its first decoding take
    // Node half a millisecond, which a first banner of ASCII through asciiText saves.
    let utf8;
    const formats = ['text', 'markdown', 'html'];
    const aligns = ['left', 'center', 'right'];
    const lineEnds = ['\n', '\r\n'];
    const noMemory = 'the banner of this line is larger than the memory that the page may use';
    // Thrown by textOf for a text longer than a string may be.
    const tooLong = new RangeError('too long for a string');
    const memoryFailure = Object.freeze({ text: '', report: '', error: noMemory, failure: 'memory', name: '', bytes: new Uint8Array() });
    // The most bytes of UTF-8 that the common file systems take in a file name, beyond
    // which h8 --save fails ("File name too long"); the page and the package have no file
    // system to ask.
    const nameBytes = 255;

    // Runs a call of the module. A banner too large for the memory gives onMemory: the
    // module stopped for want of memory (its mark, see StopForMemory in module.cpp) or
    // made a text longer than a string may be (textOf). Any other failure is thrown on:
    // another trap is a fault of the engine. After any failure a new module takes the old
    // one's place, since a trap stops a call in the middle and a module's memory never
    // shrinks, so that the next call starts afresh.
    function guarded(call, onMemory = memoryFailure) {
        try {
            return call();
        } catch (error) {
            const forMemory = error === tooLong || (error instanceof WebAssembly.RuntimeError && exports.out_of_memory() !== 0);
            exports = instantiate();
            if (!forMemory) throw error;
            return onMemory;
        }
    }

    // Writes the texts one after the other into the input; returns the length of each.
    function put(...texts) {
        const units = texts.reduce((sum, text) => sum + text.length, 0);
        const start = unsigned(exports.input(units)); // may grow the memory: take its buffer after
        const view = new Uint16Array(exports.memory.buffer, start, units);
        let at = 0;
        for (const text of texts) {
            for (let i = 0; i < text.length; ++i) view[at++] = text.charCodeAt(i);
        }
        return texts.map((text) => text.length);
    }

    function bytesOf(name) {
        return new Uint8Array(exports.memory.buffer, unsigned(exports[name + '_data']()), unsigned(exports[name + '_size']()));
    }
    // Without fatal, decoding fails only for a text longer than the JavaScript engine's
    // strings may be (2^29 - 24 units in Node and Chromium): too large for the page's
    // memory, as when the module runs out. Node's decoder throws; Chromium's returns an
    // empty string, fewer units than any decoding of the bytes gives (a unit takes at
    // most three bytes).
    function textOf(name) {
        const bytes = bytesOf(name);
        if (bytes.length === 0) return '';
        let text;
        try {
            const ascii = asciiText && name === 'output' && exports.output_ascii();
            text = ascii ? asciiText(bytes) : (utf8 ??= new TextDecoder('utf-8', { ignoreBOM: true })).decode(bytes);
        } catch {
            throw tooLong;
        }
        if (text.length * 3 < bytes.length) throw tooLong;
        return text;
    }

    function choice(value, names, fallback, option) {
        const index = names.indexOf(value === undefined ? fallback : value);
        if (index < 0) throw new RangeError(`${option} must be one of ${names.map((n) => JSON.stringify(n)).join(', ')}`);
        return index;
    }

    function number(value, fallback, low, high, option) {
        const n = value === undefined ? fallback : value;
        if (!Number.isInteger(n) || n < low || n > high) {
            throw new RangeError(`${option} must be a whole number from ${low} to ${high}`);
        }
        return n;
    }

    // The layout options as the module takes them: blanks and empty lines after each,
    // less one, and the page width (below 1: no limit); then the columns (0: none) that
    // bands fit in place of the page width, as h8 -t fits them to a terminal's.
    const layout = (o) => [
        number(o.spaces, 1, spacingLow, spacingHigh, 'spaces'),
        number(o.lines, 1, spacingLow, spacingHigh, 'lines'),
        number(o.width, -1, widthLow, widthHigh, 'width'),
    ];
    const columnsOf = (o) => number(o.columns, 0, 0, widthHigh, 'columns');

    // The report and the error of a call; failure 'tooWide' and the line's length in
    // characters as h8 counts them (the module's count), when the line is too wide.
    const results = (status) => (status === 0
        ? { report: textOf('report'), error: '', failure: '' }
        : { report: textOf('report'), error: textOf('message'), failure: 'tooWide', characters: unsigned(exports.line_characters()) });

    // The name of the banner file of the input's first units; failure 'nameTooLong' when
    // its UTF-8 passes nameBytes.
    function fileName(length) {
        exports.file_name(length);
        const size = unsigned(exports.output_size());
        if (size > nameBytes) {
            return { name: '', error: `the file name is too long to save: ${size} bytes of UTF-8, more than the ${nameBytes} that file systems take`, failure: 'nameTooLong' };
        }
        return { name: textOf('output'), error: '', failure: '' };
    }

    return {
        // The banner as h8 prints it, with the line's characters outside the font named
        // in report and a line too wide to enlarge refused in error (see results).
        banner(line, options = {}) {
            const form = [
                ...layout(options),
                choice(options.format, formats, 'text', 'format'),
                choice(options.align, aligns, 'left', 'align'),
                options.trim ? 1 : 0,
                choice(options.lineEnd, lineEnds, '\n', 'lineEnd'),
                columnsOf(options),
            ];
            return guarded(() => {
                const [length] = put(String(line), String(options.prefix ?? ''));
                const status = exports.banner(length, ...form);
                return { text: status === 0 ? textOf('output') : '', ...results(status) };
            });
        },

        // The bytes of the file that Save writes for the line.
        saveText(line, options = {}) {
            const numbers = [...layout(options), columnsOf(options)];
            return guarded(() => {
                const status = exports.save_text(put(String(line))[0], ...numbers);
                return { bytes: status === 0 ? bytesOf('output').slice() : new Uint8Array(), ...results(status) };
            });
        },

        // The name of the file that Save writes for the line, without its folder (see fileName).
        fileName: (line) => guarded(() => fileName(put(String(line))[0])),

        // The ranges that h8 takes: limits.spacing for spaces and lines, limits.width for
        // the page width, each { low, high }.
        limits,

        // A spacing value as h8 takes it (in limits.spacing), or null; null as well for a
        // text too large for the memory to read.
        readSpacing(text) {
            const value = guarded(() => exports.read_spacing(put(String(text))[0]), null);
            return value === null || value < spacingLow ? null : value;
        },

        // A page width as h8 takes it (in limits.width), or null, as readSpacing.
        readWidth(text) {
            const value = guarded(() => exports.read_width(put(String(text))[0]), null);
            return value === null || value > widthHigh ? null : value;
        },
    };
}
