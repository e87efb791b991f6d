// The npm package as its users get it: the packed tarball installed offline into an
// empty folder, then required, imported, run as a command, checked by the TypeScript
// compiler and bundled by esbuild for a headless Chromium, all against h8.
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath, pathToFileURL } from 'node:url';
import * as esbuild from 'esbuild';
import { launchBrowser } from './browser.mjs';
import { h8Banner, h8Many, h8Path, h8Run, h8Save, h8WithOption, loadModule, packagePath } from './h8.mjs';
import { brief, generatedLine, generator, numberText, overflowingLine, prefixes, seed } from './random.mjs';

const run = (command, args, options) => spawnSync(command, args, { encoding: 'utf8', maxBuffer: 1 << 26, ...options });

let folder; // the empty folder that the tarball is installed into
let cjs;
let esm;

before(async () => {
    folder = fs.mkdtempSync(path.join(os.tmpdir(), 'loftype-package-'));
    const installed = run('npm', ['install', '--offline', '--no-audit', '--no-fund', '--loglevel=error', packagePath], { cwd: folder });
    assert.equal(installed.status, 0, `npm install ${packagePath}: ${installed.stderr}`);
    // Through the package's exports, as a file in the folder resolves 'loftype'.
    cjs = createRequire(path.join(folder, 'index.cjs'))('loftype');
    fs.writeFileSync(path.join(folder, 'entry.mjs'), "export * from 'loftype';\nexport { default } from 'loftype';\n");
    esm = await import(pathToFileURL(path.join(folder, 'entry.mjs')));
});

after(() => fs.rmSync(folder, { recursive: true, force: true }));

// What a call gives, as h8's outcome: the text, the clause naming the characters outside
// the font, and the message of a line too wide to enlarge.
async function outcome(call, options) {
    const reports = [];
    try {
        const text = await call({ ...options, onOutsideFont: (report) => reports.push(report) });
        return { text, report: reports.join('\n'), error: '' };
    } catch (error) {
        if (!(error instanceof cjs.BannerTooWideError)) throw error;
        assert.equal(error.characters, Number(/^the line of (\d+) /.exec(error.message)?.[1]), `characters of ${error.message}`);
        return { text: '', report: reports.join('\n'), error: error.message };
    }
}

// A layout number as a caller may give it: a whole number, a text that h8 reads, or a
// fraction within the range, which h8 rounds.
function layoutValue(random, low, high) {
    const n = random.int(low, high);
    const forms = [() => n, () => String(n), () => numberText(random, n), () => random.int(low, high - 1) + random.pick([0.25, 0.5, 0.75])];
    return random.pick(forms)();
}

function generatedCase(random, index) {
    const makers = {
        spaces: () => layoutValue(random, 0, 12),
        lines: () => layoutValue(random, 0, 12),
        width: () => (random.chance(0.2) ? random.pick([-1, 0, 32767, -32768]) : layoutValue(random, 1, 200)),
        format: () => random.pick(['text', 'markdown', 'html']),
        align: () => random.pick(['left', 'center', 'right']),
        trim: () => random.chance(0.5),
        prefix: () => random.pick(prefixes),
        lineEnd: () => (random.chance(0.8) ? '\n' : '\r\n'),
    };
    const options = Object.fromEntries(Object.entries(makers).filter(() => random.chance(0.5)).map(([key, make]) => [key, make()]));
    const line = random.chance(0.01) ? overflowingLine(random) : generatedLine(random);
    return { index, line, options, form: random.pick(['require', 'import', 'async']) };
}

const forms = {
    require: ({ line }) => (options) => cjs.banner(line, options),
    import: ({ line }) => (options) => esm.banner(line, options),
    async: ({ line }) => (options) => esm.bannerAsync(line, options),
};

test('banner matches h8 --lf and --crlf on generated cases, required, imported and as a promise', async (t) => {
    const random = generator(seed);
    const cases = Array.from({ length: 3000 }, (_, i) => generatedCase(random, i));
    t.diagnostic(`seed ${seed} (LOFTYPE_SEED), ${cases.length} cases`);
    const expected = await h8Many(cases.map(({ line, options }) => [line, options]));
    const wrong = [];
    for (const c of cases) {
        const seen = await outcome(forms[c.form](c), c.options);
        if (JSON.stringify(seen) !== JSON.stringify(expected[c.index])) {
            wrong.push(`case ${c.index} (${c.form}): ${brief({ line: c.line, options: c.options })}\n  seen ${brief(seen)}\n  h8   ${brief(expected[c.index])}`);
        }
    }
    assert.equal(wrong.length, 0, `seed ${seed}: ${wrong.length} cases differ from h8:\n${wrong.slice(0, 3).join('\n')}`);
});

test('one engine behind both entries, the ECMAScript entry\'s default export the CommonJS entry', () => {
    for (const name of Object.keys(cjs)) assert.equal(esm[name], cjs[name], name);
    assert.deepEqual(Object.keys(esm).sort(), [...Object.keys(cjs), 'default'].sort());
    assert.equal(esm.default, cjs);
});

test('fileName and saveText give the name and the bytes of h8 --save, and fileName refuses a name too long', async () => {
    // A lone surrogate, which h8's UTF-8 cannot carry, has the name that it must have.
    const cases = [['Hello', {}], ['CON', {}], ['a/b', { spaces: '3' }], ['café', { lines: 0 }], ['a:b', { width: 20 }],
        ['?*', { width: 5.5 }], ['W'.repeat(2000), {}], ['a'.repeat(251), {}], ['a'.repeat(252), {}], ['\ud800', {}, '_.txt']];
    for (const [line, options, lone] of cases) {
        const expected = lone ? { name: lone, error: '' } : h8Save(line, options);
        const label = `${brief(line)}, ${JSON.stringify(options)}`;
        const seen = await outcome((o) => cjs.saveText(line, o), options);
        assert.equal(seen.error, expected.error, label);
        if (!lone) assert.equal(seen.report, h8Banner(line, options).report, `${label}: the characters outside the font`);
        if (expected.error) continue;
        if (expected.refused) {
            assert.equal(expected.refused, 'File name too long', `${label}: h8's reason`);
            assert.throws(() => cjs.fileName(line), { name: 'RangeError', message: /^the file name is too long to save: \d+ bytes of UTF-8, more than the 255/ }, label);
        } else {
            assert.equal(cjs.fileName(line), expected.name, label);
        }
        if (expected.bytes) assert.ok(seen.text instanceof Uint8Array && Buffer.from(seen.text).equals(expected.bytes), `${label}: the bytes of h8's file`);
    }
});

test('option values are read as h8 reads its arguments, without a byte-order mark at their start, and only the options object\'s own', async () => {
    const inherited = (options) => Object.create(options);
    const cases = [
        ['Ab', { spaces: '\ufeff5', lines: '\ufeff0', width: '\ufeff20', prefix: '\ufeff# ' }],
        ['Ab', { prefix: '\ufeff\ufeff# ' }],
        // Nothing inherited is read, neither good values nor bad ones (h8's side spreads them away).
        ['Ab', inherited({ width: 10, format: 'html', prefix: '# ', trim: true })],
        ['Ab', inherited({ format: 'pdf', spaces: 'x', widht: 1, onOutsideFont: 1 })],
        ['Ab', Object.assign(inherited({ width: 10 }), { prefix: '> ' })],
    ];
    const expected = await h8Many(cases);
    for (const [i, [line, options]] of cases.entries()) {
        const label = `case ${i}: ${brief(line)}, ${brief(options)}, inherited ${brief({ ...Object.getPrototypeOf(options) })}`;
        assert.equal(cjs.banner(line, options), expected[i].text, label);
    }
});

test('refused values and options throw, naming what is wrong, a banner too large for the memory throws its own error, a line of 2^28 characters its own, and a failed compile is tried again', async () => {
    const line = 'ii';
    for (const [option, value, h8Option, range] of [['spaces', '13', '--spaces', '0 to 12'], ['lines', -0.4, '--lines', '0 to 12'],
        ['spaces', 'x', '--spaces', '0 to 12'], ['width', '32768', '--width', '-32768 to 32767'], ['width', NaN, '--width', '-32768 to 32767']]) {
        assert.equal(h8WithOption(h8Option, String(value), line), null, `h8 refuses ${h8Option}=${value}`);
        const shown = typeof value === 'string' ? JSON.stringify(value) : String(value);
        assert.throws(() => cjs.banner(line, { [option]: value }), { name: 'RangeError', message: `${option} must be a number from ${range} as h8 reads it, not ${shown}` });
    }
    for (const [call, message] of [
        [() => cjs.banner(line, { widht: 1 }), /^banner has no option "widht"/],
        [() => cjs.saveText(line, { format: 'html' }), /^saveText has no option "format"/],
        [() => cjs.banner(line, { trim: 'yes' }), /^trim must be a boolean/],
        [() => cjs.banner(line, null), /^banner: options must be an object/],
        [() => cjs.banner(42), /^banner: the line must be a string/],
    ]) {
        assert.throws(call, { name: 'TypeError', message });
    }
    assert.throws(() => cjs.banner(line, { format: 'pdf' }), { name: 'RangeError', message: /^format must be one of/ });
    // Some 1.5 billion bytes of prefix: a banner longer than a string may be (the
    // module's tests take one that its memory cannot hold).
    assert.throws(() => cjs.banner('W'.repeat(1500), { width: 1, lines: 12, prefix: 'x'.repeat(50000) }),
        (error) => error instanceof cjs.BannerMemoryError && error instanceof RangeError);
    // A line of 2^28 characters is refused as too wide, its characters counted without
    // an array of them, which would take more than Node's heap.
    assert.throws(() => cjs.banner('W'.repeat(2 ** 28)),
        (error) => error instanceof cjs.BannerTooWideError && error.characters === 2 ** 28);
    assert.equal(cjs.banner('Hi'), h8Banner('Hi', {}).text);
    const fitted = { columns: 20, width: 5, align: 'center', prefix: '# ' };
    assert.equal(cjs.banner('Fit it in', fitted), h8Banner('Fit it in', fitted).text);
    assert.throws(() => cjs.banner(line, { columns: 1.5 }), { name: 'RangeError', message: /^columns must be a whole number from 0 to 32767/ });
    // A package loaded anew, without an engine: its first compile fails, the next works.
    const require = createRequire(path.join(folder, 'index.cjs'));
    const file = require.resolve('loftype');
    const loaded = require.cache[file];
    delete require.cache[file];
    const fresh = require('loftype');
    require.cache[file] = loaded;
    const compile = WebAssembly.compile;
    WebAssembly.compile = () => Promise.reject(new Error('no compiler now'));
    try {
        await assert.rejects(fresh.bannerAsync('Hi'), /^Error: no compiler now$/);
    } finally {
        WebAssembly.compile = compile;
    }
    assert.equal(await fresh.bannerAsync('Hi'), h8Banner('Hi', {}).text);
});

// The command's outcome as h8's, h8's name in its messages made the command's.
const asLoftype = ({ status, stdout, stderr }) => ({ status, stdout, stderr: stderr.replaceAll(/^h8: /gm, 'loftype: ').replaceAll('try h8 --help', 'try loftype --help') });

test('npx loftype takes h8\'s options and prints byte for byte what h8 --lf prints, and refuses what h8 refuses with its messages and status 2', () => {
    const loftype = path.join(folder, 'node_modules/.bin/loftype');
    // Each row's arguments, and for an option of h8's that the command does not have, the
    // command's own message in place of h8's outcome.
    const rows = [
        [['Hello,', 'naïve', 'world']],
        [['-s0', '-l', '0', '-w20', 'Hello', 'world']],
        [['--spaces=3', '--lines', '2', '--wid=30', '--al=right', '--trim', 'Hi']],
        [['--format', 'markdown', '--prefix', '# ', '-qw', '40', 'a#b', 'c']],
        [['--format=html', '--align', 'centre', '-w', '1.5e1', '-s', ' 2 ', '<Hi>']],
        [['--prefix=\ufeff> ', '\ufeff\ufeffx', '\ufeffy', '\ufeff-q']],
        [['-w', '\ufeff-1', '--', '-w', '--trim', '-']],
        [['W'.repeat(2000)]],
        [['-x']], [['--bogus=1', 'Hi']], [['-s', '13', 'Hi']], [['-w']], [['--trim=yes']], [['--format=pdf']], [['--=x']],
        [['-w', '40000']], [['--align', 'middle', 'Hi']], [['--prefix']], [['-s', '\x1b[31m\u202e']], [['--help', '--bogus']],
        [['-t', 'Hi'], 'unknown option "-t" (try loftype --help)'], [['--crlf', 'Hi'], 'unknown option "--crlf" (try loftype --help)'],
    ];
    // npx once (it takes a second or two); then the command that it runs.
    for (const [i, [args, refused]] of rows.entries()) {
        const [command, ...start] = i === 0 ? ['npx', '--offline', 'loftype'] : [loftype];
        const { status, stdout, stderr } = run(command, [...start, ...args], { cwd: folder });
        const expected = refused ? { status: 2, stdout: '', stderr: `loftype: ${refused}\n` } : asLoftype(h8Run(['--lf', ...args]));
        assert.deepEqual({ status, stdout, stderr }, expected, `loftype ${brief(args)}`);
    }
    // --help lists the command's own options, each as h8 names it; --version gives the package's.
    const help = run(loftype, ['--help']);
    const listed = (text) => [...text.matchAll(/^ {2}(?:-(\w), )?\s*--(\w+)/gm)].map(([, letter, name]) => `${letter ?? ''} ${name}`);
    assert.deepEqual(listed(help.stdout), ['s spaces', 'l lines', 'w width', 'q quiet', ' trim', ' prefix', ' format', ' align', 'h help', ' version']);
    assert.deepEqual(listed(help.stdout).filter((o) => !listed(h8Run(['--help']).stdout).includes(o)), []);
    const { version } = JSON.parse(fs.readFileSync(path.join(folder, 'node_modules/loftype/package.json'), 'utf8'));
    assert.deepEqual([help.status, run(loftype, ['-qh']).stdout, run(loftype, ['--vers']).stdout], [0, help.stdout, `loftype ${version}\n`]);
    // On a terminal of 30 columns (script gives each its own), the bands fit it without -w,
    // as h8's do; with -w the page width counts.
    const onTerminal = (command) => run('script', ['-qec', `stty cols 30 && ${command} -s0 --align right Hello world`, '/dev/null']).stdout;
    assert.equal(onTerminal(loftype), onTerminal(`${h8Path} --lf`));
    assert.notEqual(onTerminal(loftype), onTerminal(`${loftype} -w -1`));
    assert.equal(onTerminal(`${loftype} -w 40`), onTerminal(`${h8Path} --lf -w 40`));
});

test('loftype without words prints each line of standard input as h8 does, as soon as the line is complete', async () => {
    const loftype = path.join(folder, 'node_modules/.bin/loftype');
    const args = ['-s0', '--format', 'markdown'];
    // CR LF and LF, a byte-order mark at the start dropped (a second kept), bytes that are
    // no UTF-8, a line too wide and a last line without its end.
    const input = Buffer.concat([Buffer.from('\ufeff\ufeffHi\r\nnaïve\n\n'), Buffer.from([0x61, 0xff, 0x0a]), Buffer.from(`${'W'.repeat(2000)}\nend`)]);
    const { status, stdout, stderr } = run(loftype, args, { input });
    assert.deepEqual({ status, stdout, stderr }, asLoftype(h8Run(['--lf', ...args], input)));
    // A folder and a closed input, which h8 fails to read.
    for (const redirection of ['</', '<&-']) {
        const [h8, seen] = [h8Path, loftype].map((command) => run('bash', ['-c', `"$0" ${redirection}`, command]))
            .map(({ status, stdout, stderr }) => ({ status, stdout, stderr }));
        assert.deepEqual(seen, asLoftype(h8), `loftype ${redirection}`);
        assert.equal(h8.status, 1, `h8 ${redirection}`);
    }
    // A pipe kept open: each line's banner comes before the next line is written.
    const child = spawn(loftype, args, { stdio: ['pipe', 'pipe', 'inherit'] });
    let printed = '';
    child.stdout.setEncoding('utf8').on('data', (text) => { printed += text; });
    const closed = new Promise((resolve) => child.once('close', resolve));
    let expected = '';
    for (const line of ['Hi', 'there']) {
        expected += h8Run(['--lf', ...args, line]).stdout;
        child.stdin.write(`${line}\r\n`);
        for (const deadline = Date.now() + 20_000; printed !== expected && Date.now() < deadline;) await new Promise((resolve) => setTimeout(resolve, 20));
        assert.equal(printed, expected, `the banner of ${line} while the pipe stays open`);
    }
    child.stdin.end();
    assert.equal(await closed, 0);
});

test('loftype fails to write as h8 does: quietly when the pipe closes early, in one line to /dev/full and to a closed output', () => {
    // Each way in a shell, which gives the status of the program before a pipe as well; a
    // banner of 200 KB, more than a pipe holds, so that the command writes after head has gone.
    const word = 'W'.repeat(1500);
    for (const output of ['| head -c 1 >/dev/null', '>/dev/full', '>&-']) {
        const shell = (command) => run('bash', ['-c', `"$0" "$1" ${output}; echo "\${PIPESTATUS[0]}"`, command, word], { cwd: folder });
        const [h8, loftype] = [h8Path, path.join(folder, 'node_modules/.bin/loftype')].map(shell);
        assert.equal(h8.stdout, output === '>/dev/full' || output === '>&-' ? '1\n' : '141\n', `h8 ${output}: its status`);
        assert.equal(loftype.stdout, h8.stdout, `loftype ${output}: the status`);
        assert.equal(loftype.stderr, h8.stderr.replaceAll(/^h8: /gm, 'loftype: '), `loftype ${output}: the messages`);
    }
});

test('the types check every export and the default import under tsc --strict, refuse a wrong option and agree with the entries as Node runs them, and they and the read-me give the glue\'s ranges', () => {
    // The ranges that the hand-written types and read-me give each layout option.
    const { spacing, width } = loadModule().limits;
    const ranges = (file, pattern) => Object.fromEntries([...fs.readFileSync(path.join(folder, 'node_modules/loftype', file), 'utf8').matchAll(pattern)]
        .map(({ groups: { name, low, high } }) => [name, { low: Number(low), high: Number(high) }]));
    const expected = { spaces: spacing, lines: spacing, width };
    assert.deepEqual(ranges('index.d.ts', /\/\*\*[^*]*?(?<low>-?\d+) to (?<high>-?\d+)[^*]*\*\/\s*(?<name>\w+)\?:/g), expected, 'index.d.ts');
    assert.deepEqual(ranges('README.md', /^\| `(?<name>\w+)` \|[^|\n]*?(?<low>-?\d+) to (?<high>-?\d+)/gm), expected, 'README.md');
    // Type-checked, then run by Node as tsc writes it: the types and the entries agree.
    const example = `
import loftype, { banner, bannerAsync, BannerMemoryError, BannerTooWideError, fileName, saveText, type BannerOptions } from 'loftype';
const options: BannerOptions = { spaces: 0, lines: '1', width: 80, format: 'html', align: 'center', trim: true,
    prefix: '# ', lineEnd: '\\r\\n', onOutsideFont: (message: string) => console.warn(message) };
const text: string = banner('Hi', options);
const later: Promise<string> = bannerAsync('Hi');
const bytes: Uint8Array = saveText('Hi', { width: '40', onOutsideFont: console.warn });
const name: string = fileName('Hi');
try {
    banner('W'.repeat(2000));
} catch (error) {
    if (error instanceof BannerTooWideError) console.log(error.characters.toFixed(), error.message);
    if (error instanceof BannerMemoryError) console.log(error.message);
}
if (loftype.banner('Hi', options) !== text || loftype.fileName('Hi') !== name) throw new Error('the default import differs');
export function refused() {
    // @ts-expect-error: no such format
    banner('Hi', { format: 'pdf' });
    // @ts-expect-error: saveText has no output form
    saveText('Hi', { trim: true });
}
console.log(text.length, await later, bytes.length, name);
`;
    fs.writeFileSync(path.join(folder, 'example.mts'), example);
    const tsc = fileURLToPath(new URL('node_modules/.bin/tsc', import.meta.url));
    const checked = run(tsc, ['--strict', '--module', 'nodenext', '--target', 'es2022', '--lib', 'es2022,dom', '--outDir', 'out',
        'example.mts'], { cwd: folder });
    assert.equal(checked.status, 0, `tsc: ${checked.stdout}${checked.stderr}`);
    const ran = run(process.execPath, [path.join(folder, 'out/example.mjs')], { cwd: folder });
    assert.equal(ran.status, 0, `node out/example.mjs: ${ran.stderr}`);
});

test('a bundle of the package made by esbuild for the browser draws h8\'s banners in Chromium, asking the network nothing', async () => {
    fs.writeFileSync(path.join(folder, 'browser.mjs'), "import * as loftype from 'loftype';\nglobalThis.loftype = loftype;\n");
    const bundle = await esbuild.build({ entryPoints: ['browser.mjs'], absWorkingDir: folder, bundle: true, platform: 'browser',
        format: 'iife', write: false, logLevel: 'silent' });
    assert.deepEqual(bundle.warnings, []);
    const random = generator(seed + 2);
    const cases = Array.from({ length: 30 }, (_, i) => generatedCase(random, i));
    const browser = await launchBrowser();
    try {
        const page = await browser.newPage();
        const requests = [];
        page.on('request', (request) => requests.push(request.url()));
        await page.setContent(`<script>${bundle.outputFiles[0].text.replaceAll('</script', '<\\/script')}</script>`);
        // The first call is a promise's, which compiles the module asynchronously.
        const [first, seen] = await page.evaluate(async (calls) => [await loftype.bannerAsync('Hello'), await Promise.all(calls.map(async ({ line, options, form }) => {
            try {
                return { text: await (form === 'async' ? loftype.bannerAsync : loftype.banner)(line, options), error: '' };
            } catch (error) {
                return { text: '', error: `${error.name}: ${error.message}` };
            }
        }))], cases);
        assert.equal(first, h8Banner('Hello', {}).text, 'the first banner, compiled asynchronously');
        const expected = await h8Many(cases.map(({ line, options }) => [line, options]));
        for (const c of cases) {
            const { text, error } = expected[c.index];
            assert.deepEqual(seen[c.index], { text, error: error && `BannerTooWideError: ${error}` }, `case ${c.index}: ${brief(c)}`);
        }
        assert.deepEqual(requests, []);
    } finally {
        await browser.close();
    }
});
