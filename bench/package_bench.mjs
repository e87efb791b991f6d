// Size and speed of the npm package, run by hand:
//   bash scripts/web.sh && node bench/package_bench.mjs
// It prints the packed tarball's size (LOFTYPE_PACKAGE, as for tests/web); the time of
// banner("Hello") as a fresh Node process first calls it, loading the package and
// instantiating the module included (median of fresh processes, beside Node's own
// first require of an empty file, or import of an empty one over another such as the
// package's two entries), and its parts; the mean of later calls; and the time for
// a 30,000-character line of prose at width 80, beside the native engine's
// (build/bench/engine_bench BM_PrintedBanner, where it is built) with their ratio: in
// the first calls, after 200 more (when the C library's allocator reuses the memory of
// the strings collected), in the module alone, and what new memory of the banner's size
// costs to touch, the floor of a new string of it (LOFTYPE_WASM names the module).
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { packagePath, root, wasmPath } from '../tests/web/h8.mjs';
import { engineBenchTime, median, medianTime, ms, prose, timed } from './timing.mjs';

// The folder that web.sh packs (LOFTYPE_PACKAGE_DIR names another, such as an older build's).
const folder = path.resolve(process.env.LOFTYPE_PACKAGE_DIR ?? path.join(root, 'build-wasm/web/npm'));

console.log(`package ${packagePath}: ${fs.statSync(packagePath).size} bytes`);

// In a fresh process: how long loading ENTRY (by require or import) and then, when
// CALL, banner("Hello") take, in milliseconds.
function firstCall(entry, how, call) {
    const load = how === 'require' ? `require(${JSON.stringify(entry)})` : `await import(${JSON.stringify(entry)})`;
    const script = `const start = performance.now(); const loftype = ${load}; const loaded = performance.now();
        ${call ? "loftype.banner('Hello');" : ''} console.log(loaded - start, performance.now() - loaded);`;
    const { stdout, status, stderr } = spawnSync(process.execPath, ['--input-type=module', '-e',
        how === 'require' ? `import { createRequire } from 'node:module'; const require = createRequire(import.meta.url); ${script}` : script],
    { encoding: 'utf8' });
    if (status !== 0) throw new Error(stderr);
    return stdout.trim().split(' ').map(Number);
}

function printFirstCalls(processes) {
    const empty = fs.mkdtempSync(path.join(os.tmpdir(), 'loftype-bench-'));
    fs.writeFileSync(path.join(empty, 'empty.cjs'), '');
    fs.writeFileSync(path.join(empty, 'empty.mjs'), "import './empty.cjs';\n"); // as index.mjs over index.cjs
    try {
        for (const [how, entry, emptyEntry] of [['require', 'index.cjs', 'empty.cjs'], ['import', 'index.mjs', 'empty.mjs']]) {
            const runs = Array.from({ length: processes }, () => firstCall(path.join(folder, entry), how, true));
            const loads = runs.map(([load]) => load);
            const calls = runs.map(([, call]) => call);
            const totals = runs.map(([load, call]) => load + call);
            const nodeOwn = median(Array.from({ length: processes }, () => firstCall(path.join(empty, emptyEntry), how, false)[0]));
            console.log(`first banner("Hello") by ${how}, median of ${processes} processes: ${ms(median(totals))} ` +
                `(load ${ms(median(loads))}, first call ${ms(median(calls))}); Node's own ${how} of empty files ${ms(nodeOwn)}`);
        }
    } finally {
        fs.rmSync(empty, { recursive: true, force: true });
    }
}

function printLaterCalls(calls) {
    const { banner } = createRequire(import.meta.url)(path.join(folder, 'index.cjs'));
    banner('Hello');
    const total = timed(() => {
        for (let i = 0; i < calls; i++) banner('Hello');
    });
    console.log(`later banner("Hello") calls: mean ${((total / calls) * 1000).toFixed(2)} µs over ${calls}`);
}

// Where a fresh process's first call spends its time, the medians of PROCESSES: the
// module's bytes taken from the package's text of them (a string of one character for
// each byte, or base64 in a build before it), compiled, instantiated with its
// constructors run, its font made (start), and the first banner, as the glue makes them.
function printFirstCallParts(processes) {
    const script = `const [, form, literal] = /const module(Base64|Text) = ('(?:[^'\\\\\\n]|\\\\.)*')/.exec(require('node:fs').readFileSync(${JSON.stringify(path.join(folder, 'index.cjs'))}, 'utf8'));
        const text = eval(literal);
        const times = []; let last = performance.now();
        const step = () => { const now = performance.now(); times.push(now - last); last = now; };
        const bytes = Buffer.from(text, form === 'Text' ? 'latin1' : 'base64'); step();
        const compiled = new WebAssembly.Module(bytes); step();
        const e = new WebAssembly.Instance(compiled, {}).exports; e._initialize(); step();
        e.start(); step();
        const at = e.input(5) >>> 0; new Uint16Array(e.memory.buffer, at, 5).set([...'Hello'].map((c) => c.charCodeAt(0)));
        e.banner(5, 1, 1, -1, 0, 0, 0, 0); Buffer.from(e.memory.buffer, e.output_data() >>> 0, e.output_size()).toString('latin1'); step();
        console.log(times.join(' '));`;
    const runs = Array.from({ length: processes }, () => spawnSync(process.execPath, ['-e', script], { encoding: 'utf8' }).stdout.trim().split(' ').map(Number));
    const parts = ['bytes decoded', 'compiled', 'instantiated', 'font made', 'first banner'];
    console.log(`  its parts, medians of ${processes} processes: ${parts.map((name, i) => `${name} ${ms(median(runs.map((r) => r[i])))}`).join(', ')}`);
}

function printLongLine(length, repetitions) {
    const { banner } = createRequire(import.meta.url)(path.join(folder, 'index.cjs'));
    const line = prose(length);
    const time = medianTime(() => banner(line, { width: 80 }), repetitions);
    const native = engineBenchTime('BM_PrintedBanner');
    const ratio = (t) => (native === null ? '' : `, ratio ${(t / native).toFixed(2)}`);
    const beside = native === null ? 'native not measured (build/bench/engine_bench is not built)'
        : `native ${ms(native)} (engine_bench BM_PrintedBanner)`;
    console.log(`${length} characters of prose at width 80, text form, median of ${repetitions}: ${ms(time)}${ratio(time)}; ${beside}`);
    // The same after many calls, once the C library's allocator, which holds each string
    // Node makes of more than a megabyte, reuses the memory of those collected.
    for (let i = 0; i < 200; i++) banner(line, { width: 80 });
    const later = medianTime(() => banner(line, { width: 80 }), repetitions);
    // The module alone, on its own exports, after as many calls: the line written in as
    // the glue writes it, the banner made in the module's memory.
    const e = new WebAssembly.Instance(new WebAssembly.Module(fs.readFileSync(wasmPath)), {}).exports;
    e._initialize();
    e.start();
    const moduleCall = () => {
        const at = e.input(line.length) >>> 0; // may grow the memory: its buffer after
        const units = new Uint16Array(e.memory.buffer, at, line.length);
        for (let i = 0; i < line.length; ++i) units[i] = line.charCodeAt(i);
        e.banner(line.length, 1, 1, 80, 0, 0, 0, 0);
    };
    for (let i = 0; i < 200; i++) moduleCall();
    const moduleAlone = medianTime(moduleCall, repetitions);
    // The floor of a new string of that size: new memory from the system (a WebAssembly
    // memory is always mapped anew), each of its pages touched once.
    const size = e.output_size();
    const fresh = medianTime(() => new Uint8Array(new WebAssembly.Memory({ initial: Math.ceil(size / 65536) }).buffer).fill(32), repetitions);
    console.log(`  after 200 more calls ${ms(later)}${ratio(later)}; the module alone ${ms(moduleAlone)}${ratio(moduleAlone)}; ` +
        `${size} bytes of new memory touched ${ms(fresh)}`);
}

printFirstCalls(21);
printFirstCallParts(21);
printLaterCalls(10_000);
printLongLine(30_000, 21);
