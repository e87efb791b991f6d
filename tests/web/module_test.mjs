// The WebAssembly module through its glue, against h8: its imports (none), the banner in
// every output form, running out of memory, the saved file, and the reading of the number boxes.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { test } from 'node:test';
import { h8Banner, h8Save, h8WithOption, loadModule, wasmPath } from './h8.mjs';

const loftype = loadModule();
// A module whose memory grows by 2 GiB once it has started, so that what its C library
// gives it after that lies beyond 2 GiB, as after calls that held that much: the
// tables below run on it too.
const grown = loadModule((exports) => ({ ...exports, start: () => { exports.start(); exports.memory.grow(2 ** 31 / 65536); } }));
const modules = { 'a module': loftype, 'a module using memory beyond 2 GiB': grown };
// A line as a failure names it: its start, with every character beyond printable ASCII escaped.
const quoted = (line) => JSON.stringify(line.slice(0, 40)).replace(/[^\x20-\x7e]/g, (c) => `\\u${c.charCodeAt(0).toString(16).padStart(4, '0')}`);

const bannerCases = [
    ['a word', 'Hello', {}],
    ['an empty line', '', {}],
    ['blanks only', '   ', { trim: true }],
    ['layout numbers', 'Wide 42!', { spaces: 0, lines: 12, width: 30 }],
    ['markup in html', '<a href="x">&amp;</a>', { format: 'html', prefix: '<!-- & -->' }],
    ['markdown centred', 'ab cd', { format: 'markdown', width: 20, align: 'center' }],
    ['right and trimmed', 'Right', { width: 80, align: 'right', trim: true }],
    ['non-ASCII prefix', 'Abc', { prefix: '¶ café — 😀 ' }],
    ['CR LF', 'Two bands', { width: 20, lineEnd: '\r\n' }],
    ['fitted to columns', 'Fit it in', { columns: 20, align: 'center', prefix: '# ' }],
    ['CR LF in html', 'x', { format: 'html', lineEnd: '\r\n' }],
    ['outside the font', 'é ß Ω 中 😀\t!', {}],
    ['outside the font in markdown', 'naïve', { format: 'markdown' }],
    ['a byte-order mark first', '\ufeffAb', {}],
    ['a byte-order mark first in the prefix, dropped', 'Ab', { prefix: '\ufeff# ' }],
    ['a second byte-order mark in the prefix, kept', 'Ab', { prefix: '\ufeff\ufeff# ' }],
    ['a long prefix', 'Hi', { prefix: '#'.repeat(30000), lines: 12 }],
    ['too wide', 'W'.repeat(2000), {}],
    ['too many characters', 'i'.repeat(32768), {}],
    ['32767 characters after a byte-order mark', '\ufeff' + 'i'.repeat(32767), {}],
    ['too wide, after a byte-order mark', '\ufeff' + 'W'.repeat(2000), {}],
    ['too wide, outside the font too', 'é' + 'W'.repeat(3000), { format: 'html' }],
];

test('the module imports nothing', () => {
    assert.deepEqual(WebAssembly.Module.imports(new WebAssembly.Module(fs.readFileSync(wasmPath))), []);
});

test('banner matches h8 in every output form', () => {
    const outcome = ({ text, report, error }) => ({ text, report, error });
    // A line too wide has the count of characters that h8's message names.
    const characters = (error) => (error ? Number(/^the line of (\d+) /.exec(error)[1]) : undefined);
    for (const [name, line, options] of bannerCases) {
        const expected = h8Banner(line, options);
        for (const [which, module] of Object.entries(modules)) {
            const seen = module.banner(line, options);
            assert.deepEqual({ ...outcome(seen), characters: seen.characters }, { ...outcome(expected), characters: characters(expected.error) },
                `${name}, ${which}: banner(${quoted(line)}, ${JSON.stringify(options)})`);
        }
    }
});

test('a banner larger than the memory fails alone, another fault is thrown, and the module goes on after each', () => {
    // Some 3 billion bytes of prefix: the module's memory runs out before the end. (With
    // half as much the module makes the banner, which is then too long for a string of
    // Node's: the package's tests take that one.)
    const huge = loftype.banner('W'.repeat(1500), { width: 1, lines: 12, prefix: 'x'.repeat(100000) });
    assert.equal(huge.error, 'the banner of this line is larger than the memory that the page may use');
    assert.equal(huge.failure, 'memory');
    assert.equal(huge.text, '');
    assert.equal(loftype.banner('Hi').text, h8Banner('Hi', {}).text);
    // Once, an input of more units than a string may hold: the C++ library stops the
    // module (a trap) with memory to spare.
    let faults = 1;
    const faulty = loadModule((exports) => ({ ...exports, input: (units) => exports.input(faults-- > 0 ? 0xffffffff : units) }));
    assert.throws(() => faulty.banner('Hi'), (error) => error instanceof WebAssembly.RuntimeError && !/memory/.test(error.message));
    assert.equal(faulty.banner('Hi').text, h8Banner('Hi', {}).text);
});

test('saveText and fileName write the bytes and the name of h8 --save, and refuse a name too long', () => {
    // A lone surrogate, which h8's UTF-8 cannot carry, has the name that it must have.
    const cases = [
        ['Hello', {}], ['CON', {}], ['a/b', { spaces: 3 }], ['café', { lines: 0 }], ['a:b', { width: 20 }],
        ['', {}], ['aux.txt', {}], ['?*', { width: 5 }], ['W'.repeat(2000), {}], ['\ufeffHello', {}],
        ['W'.repeat(240), { spaces: 12, lines: 12, width: 40 }], ['a'.repeat(251), {}], ['a'.repeat(252), {}],
        ['é'.repeat(125), {}], ['é'.repeat(126), {}], ['\ud800', {}, '_.txt'], ['a\udc00b\ud83d\ude00', {}, 'a_b😀.txt'],
    ];
    for (const [line, options, lone] of cases) {
        const expected = lone ? { name: lone, error: '' } : h8Save(line, options);
        for (const [which, module] of Object.entries(modules)) {
            const { bytes, error } = module.saveText(line, options);
            const named = module.fileName(line);
            const label = `${which}: saveText(${quoted(line)}, ${JSON.stringify(options)})`;
            assert.equal(error, expected.error, label);
            if (expected.error) continue;
            assert.ok(bytes instanceof Uint8Array, `${label}: bytes is a Uint8Array`);
            if (expected.bytes) assert.ok(Buffer.from(bytes).equals(expected.bytes), `${label}: bytes differ from h8's file`);
            if (expected.refused) {
                assert.equal(expected.refused, 'File name too long', `${label}: h8's reason`);
                assert.deepEqual(named, { name: '', failure: 'nameTooLong',
                    error: `the file name is too long to save: ${Buffer.byteLength(line) + 4} bytes of UTF-8, more than the 255 that file systems take` }, label);
            } else {
                assert.deepEqual(named, { name: expected.name, error: '', failure: '' }, label);
            }
        }
    }
});

// Each text with the number it means, or null where h8 refuses it. h8 checks the table:
// it refuses exactly the null ones and prints for each text what it prints for the number.
const numberCases = {
    readSpacing: {
        option: '--spaces', line: 'ii', extra: [],
        table: [
            ['1', 1], ['0', 0], ['12', 12], ['1.5', 2], ['2.5', 2], ['0.5', 0], [' 3 ', 3], ['+4', 4], ['1e1', 10],
            ['1e-1', 0], ['12.4', null], ['-0.4', null], ['-1', null], ['13', null], ['', null], [' ', null],
            ['x', null], ['1,5', null], ['0x1', null], ['inf', null], ['nan', null], ['٣', null], ['3x', null],
            ['\ufeff5', 5], ['\ufeff\ufeff5', null], [' 5\ufeff', null], ['0'.repeat(40000) + '5', 5],
        ],
    },
    readWidth: {
        option: '--width', line: 'i', extra: ['--align=right'],
        table: [
            ['80', 80], ['40.5', 40], ['41.5', 42], [' 7 ', 7], ['1e2', 100], ['32767', 32767], ['-32768', -32768],
            ['0', 0], ['-1', -1], ['99999', null], ['32768', null], ['-32769', null], ['32767.5', null],
            ['', null], ['x', null], ['1.5.1', null], ['--1', null], ['\ufeff20', 20], [' '.repeat(40000) + '7', 7],
        ],
    },
};

test('readSpacing and readWidth take exactly what h8 takes, and the limits are the ends of it', () => {
    for (const [read, range] of [['readSpacing', 'spacing'], ['readWidth', 'width']]) {
        const { low, high } = loftype.limits[range];
        assert.deepEqual([low - 1, low, high, high + 1].map((n) => loftype[read](String(n))), [null, low, high, null], `limits.${range}`);
    }
    for (const [read, { option, line, extra, table }] of Object.entries(numberCases)) {
        for (const [text, number] of table) {
            const label = `${read}(${JSON.stringify(text)})`;
            const printed = h8WithOption(option, text, line, extra);
            assert.equal(printed === null, number === null, `${label}: h8 ${option} ${printed === null ? 'refuses' : 'takes'} it`);
            if (number !== null) {
                assert.equal(printed, h8WithOption(option, String(number), line, extra), `${label}: h8 reads it as ${number}`);
            }
            for (const [which, module] of Object.entries(modules)) assert.equal(module[read](text), number, `${label}, ${which}`);
        }
    }
});
