// h8, the command-line tool, as the reference that the WebAssembly module, the web
// page and the npm package must match byte for byte; and the paths of the built pieces,
// from the H8, LOFTYPE_WASM, LOFTYPE_GLUE, LOFTYPE_PAGE and LOFTYPE_PACKAGE variables or
// their defaults under the repository.
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import readline from 'node:readline';
import { fileURLToPath } from 'node:url';

export const root = fileURLToPath(new URL('../../', import.meta.url));
const built = (variable, fallback) => path.resolve(process.env[variable] ?? path.join(root, fallback));
export const h8Path = built('H8', 'build/cli/h8');
export const wasmPath = built('LOFTYPE_WASM', 'build-wasm/web/loftype.wasm');
export const pagePath = built('LOFTYPE_PAGE', 'build-wasm/web/loftype.html');
const gluePath = built('LOFTYPE_GLUE', 'web/loftype.js');
// The tarball that npm pack made, whatever version it carries.
function packedName() {
    const folder = path.join(root, 'build-wasm');
    const names = fs.existsSync(folder) ? fs.readdirSync(folder) : [];
    return names.find((name) => /^loftype-.*\.tgz$/.test(name)) ?? 'loftype.tgz';
}
export const packagePath = process.env.LOFTYPE_PACKAGE
    ? path.resolve(process.env.LOFTYPE_PACKAGE)
    : path.join(root, 'build-wasm', packedName());

const defaults = { spaces: 1, lines: 1, width: -1, format: 'text', align: 'left', trim: false, prefix: '' };

// The module, loaded as the page loads it: the glue's one global function over the bytes.
// With wrap, the glue sees wrap(exports) in place of each instance's exports (a fault
// that a test makes).
export function loadModule(wrap) {
    const Instance = class {
        constructor(module, imports) {
            this.exports = wrap(new WebAssembly.Instance(module, imports).exports);
        }
    };
    const webAssembly = wrap ? Object.create(WebAssembly, { Instance: { value: Instance } }) : WebAssembly;
    const createLoftype = new Function('WebAssembly', `${fs.readFileSync(gluePath, 'utf8')}; return createLoftype;`)(webAssembly);
    return createLoftype(new Uint8Array(fs.readFileSync(wasmPath)));
}

// Each option and its value as two arguments, so that h8 drops a byte order mark at the
// start of the value, as it does from every argument.
function layoutArgs(o) {
    return ['--spaces', String(o.spaces), '--lines', String(o.lines), '--width', String(o.width)];
}

// With columns, the bands fit that many, as -t fits them to COLUMNS (see h8Banner).
function bannerArgs(line, options = {}) {
    const o = { ...defaults, ...options };
    return [o.lineEnd === '\r\n' ? '--crlf' : '--lf', ...layoutArgs(o), ...(o.columns ? ['-t'] : []), '--format', o.format,
        '--align', o.align, ...(o.trim ? ['--trim'] : []), '--prefix', o.prefix, '--', line];
}

// h8's stderr split as the module returns it: the line naming characters outside the
// font, and the line saying the banner cannot be made, each without "h8: ".
function messages(stderr) {
    const lines = stderr.toString('utf8').split('\n').filter(Boolean).map((l) => l.replace(/^h8: /, ''));
    return {
        report: lines.find((l) => l.startsWith('not in the font: ')) ?? '',
        error: lines.find((l) => l.startsWith('the line of ')) ?? '',
    };
}

function outcome(args, { status, stdout, stderr }) {
    if (status !== 0 && status !== 1) {
        throw new Error(`h8 ${JSON.stringify(args)} exited ${status}: ${stderr}`);
    }
    return { text: stdout.toString('utf8'), ...messages(stderr) };
}

const runOptions = { maxBuffer: 1 << 30, encoding: 'buffer' };

export function h8Banner(line, options) {
    const args = bannerArgs(line, options);
    const env = { ...process.env, COLUMNS: String(options?.columns ?? '') };
    return outcome(args, spawnSync(h8Path, args, { ...runOptions, env }));
}

// A shell that runs h8 for each request, so that Node forks once rather than per call,
// which costs it milliseconds: a request is the count of arguments and the arguments,
// each ended by NUL; the reply, in order, a line with h8's exit status, its stdout and
// stderr left in files named by the request's number.
const runnerScript = `
cd "$1" || exit
n=0
while IFS= read -r -d '' count; do
    set --
    for ((i = 0; i < count; i++)); do IFS= read -r -d '' arg; set -- "$@" "$arg"; done
    n=$((n + 1))
    "$H8" "$@" >"$n.out" 2>"$n.err"
    echo "$?"
done`;

function startRunner() {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'h8-runs-'));
    const shell = spawn('bash', ['-c', runnerScript, 'h8-runner', dir], {
        env: { ...process.env, H8: h8Path }, stdio: ['pipe', 'pipe', 'inherit'],
    });
    const waiting = [];
    const closed = new Promise((resolve) => shell.once('close', (code) => {
        for (const { reject } of waiting.splice(0)) reject(new Error(`the shell running h8 stopped (${code})`));
        resolve();
    }));
    let done = 0;
    readline.createInterface({ input: shell.stdout }).on('line', (status) => {
        const file = path.join(dir, String(++done));
        const { args, resolve, reject } = waiting.shift();
        try {
            resolve(outcome(args, { status: Number(status), stdout: fs.readFileSync(`${file}.out`), stderr: fs.readFileSync(`${file}.err`) }));
        } catch (e) {
            reject(e);
        }
        fs.rmSync(`${file}.out`);
        fs.rmSync(`${file}.err`);
    });
    return {
        run(line, options) {
            const args = bannerArgs(line, options);
            shell.stdin.write(`${args.length}\0${args.map((arg) => `${arg}\0`).join('')}`);
            return new Promise((resolve, reject) => waiting.push({ args, resolve, reject }));
        },
        async close() {
            shell.stdin.end();
            await closed;
            fs.rmSync(dir, { recursive: true, force: true });
        },
    };
}

// h8's outcomes for many [line, options] calls, in their order, a few at a time.
export async function h8Many(calls, parallel = os.availableParallelism()) {
    const runners = Array.from({ length: parallel }, startRunner);
    try {
        return await Promise.all(calls.map(([line, options], i) => runners[i % parallel].run(line, options)));
    } finally {
        await Promise.all(runners.map((runner) => runner.close()));
    }
}

// The file that h8 --save writes under Files/ in a fresh folder: its name and bytes; or
// the message of a line too wide, or the reason that the file could not be written
// (refused: "File name too long").
export function h8Save(line, options = {}) {
    const cwd = fs.mkdtempSync(path.join(os.tmpdir(), 'h8-save-'));
    try {
        const args = ['--save', ...layoutArgs({ ...defaults, ...options }), '--', line];
        const run = spawnSync(h8Path, args, { ...runOptions, cwd });
        const { error } = outcome(args, run);
        if (error) return { error };
        const refused = /could not be written: (.+)\.$/m.exec(run.stderr.toString('utf8'));
        if (refused) return { error: '', refused: refused[1] };
        const dir = path.join(cwd, 'Files');
        const names = fs.existsSync(dir) ? fs.readdirSync(dir) : [];
        if (names.length !== 1) throw new Error(`h8 --save ${JSON.stringify(line)} wrote ${names.length} files`);
        return { name: names[0], bytes: fs.readFileSync(path.join(dir, names[0])), error: '' };
    } finally {
        fs.rmSync(cwd, { recursive: true, force: true });
    }
}

// Whether h8 takes VALUE for the option (-s or -w), and what it then prints for LINE.
export function h8WithOption(option, value, line, extra = []) {
    const args = ['--lf', ...extra, option, value, '--', line];
    const { status, stdout } = spawnSync(h8Path, args, runOptions);
    return status === 2 ? null : stdout.toString('utf8');
}

// What h8 does with the arguments and, where given, the bytes of standard input: its exit
// status, standard output and standard error, as text.
export function h8Run(args, input) {
    const { status, stdout, stderr } = spawnSync(h8Path, args, { ...runOptions, input });
    return { status, stdout: stdout.toString('utf8'), stderr: stderr.toString('utf8') };
}
