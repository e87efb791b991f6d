// Size and speed of the web page and its WebAssembly module, run by hand:
//   bash scripts/web.sh && bash scripts/build.sh && npm ci --prefix tests/web
//   node bench/web_bench.mjs
// It prints the page's size, raw and gzipped; the time from navigation start to the
// first banner drawn (median of fresh loads opened with a fragment); the time from an
// input event to the banner updated, over keystrokes that grow a line to 1,000
// characters (p95 and max); and the module's time for a 30,000-character line of prose
// at width 80 in Node beside the native engine's, with their ratio. The native time
// comes from build/bench/engine_bench's case BM_PrintedBanner (the same line, width and
// form; LOFTYPE_NATIVE_CASE names another), else from whole h8 processes on that line
// less those on an empty line. LOFTYPE_PAGE, LOFTYPE_WASM and H8 name the pieces,
// as for tests/web; ENGINE_BENCH names engine_bench.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import zlib from 'node:zlib';
import { launchBrowser } from '../tests/web/browser.mjs';
import { h8Path, loadModule, pagePath, root } from '../tests/web/h8.mjs';

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const percentile = (values, p) => [...values].sort((a, b) => a - b)[Math.ceil((p / 100) * values.length) - 1];
const ms = (value) => `${value.toFixed(2)} ms`;
const timed = (run) => {
    const start = process.hrtime.bigint();
    run();
    return Number(process.hrtime.bigint() - start) / 1e6;
};
const prose = (length) => 'The quick brown fox jumps over the lazy dog 0123456789. '.repeat(Math.ceil(length / 56)).slice(0, length);

function printSize() {
    const page = fs.readFileSync(pagePath);
    const gzipped = zlib.gzipSync(page, { level: 9 }).length;
    console.log(`page ${pagePath}: ${page.length} bytes, ${gzipped} gzipped (zlib level 9)`);
}

// Records, from the first parsed byte on, when #banner first holds text.
function watchFirstBanner() {
    new MutationObserver((_, observer) => {
        if (document.getElementById('banner')?.textContent) {
            window.firstBanner = performance.now();
            observer.disconnect();
        }
    }).observe(document, { childList: true, subtree: true, characterData: true });
}

async function firstBanner(browser, loads) {
    const url = `${pathToFileURL(pagePath).href}#${new URLSearchParams({ text: 'Hello, world', width: '80' })}`;
    const times = [];
    for (let i = 0; i < loads; i++) {
        const context = await browser.newContext();
        const page = await context.newPage();
        await page.addInitScript(watchFirstBanner);
        await page.goto(url);
        times.push(await (await page.waitForFunction(() => window.firstBanner)).jsonValue());
        await context.close();
    }
    console.log(`first banner after navigation start: median ${ms(median(times))} of ${loads} loads (min ${ms(Math.min(...times))}, max ${ms(Math.max(...times))})`);
}

// In the page: one character more at each step, timing the input event's handling up
// to the banner's new text, and then up to its layout.
function typeInPage(length) {
    const line = document.getElementById('line');
    const banner = document.getElementById('banner');
    const words = 'The quick brown fox jumps over the lazy dog 0123456789. ';
    const update = [];
    const layout = [];
    line.value = '';
    for (let i = 0; i < length; i++) {
        const before = banner.textContent;
        line.value += words[i % words.length];
        const start = performance.now();
        line.dispatchEvent(new Event('input', { bubbles: true }));
        const changed = banner.textContent !== before;
        update.push(performance.now() - start);
        void banner.getBoundingClientRect().width;
        layout.push(performance.now() - start);
        if (!changed) throw new Error(`keystroke ${i} left the banner as it was`);
    }
    return { update, layout };
}

async function keystrokes(browser, length) {
    const page = await browser.newPage();
    await page.goto(pathToFileURL(pagePath).href);
    const { update, layout } = await page.evaluate(typeInPage, length);
    await page.close();
    const line = (label, times) => `${label} p95 ${ms(percentile(times, 95))}, max ${ms(Math.max(...times))}`;
    console.log(`keystroke to banner, ${length} keystrokes up to ${length} characters: ${line('text', update)}; ${line('with layout', layout)}`);
}

function moduleTime(line, repetitions) {
    const loftype = loadModule();
    const options = { width: 80, format: 'text' };
    if (loftype.banner(line, options).error) throw new Error('the module could not enlarge the line');
    timed(() => loftype.banner(line, options));
    return median(Array.from({ length: repetitions }, () => timed(() => loftype.banner(line, options))));
}

// The native case of engine_bench for the same line, width and form, when it has one.
function nativeCase(engineBench) {
    const name = process.env.LOFTYPE_NATIVE_CASE ?? 'BM_PrintedBanner';
    if (!fs.existsSync(engineBench)) return null;
    const listed = spawnSync(engineBench, ['--benchmark_list_tests'], { encoding: 'utf8' }).stdout.split('\n');
    return listed.includes(name) ? name : null;
}

function engineBenchTime(engineBench, name) {
    const args = [`--benchmark_filter=^${name.replace(/[[\]().*+?^$|\\]/g, '\\$&')}$`, '--benchmark_repetitions=10',
        '--benchmark_format=json', '--benchmark_time_unit=ms'];
    const { benchmarks } = JSON.parse(spawnSync(engineBench, args, { encoding: 'utf8', maxBuffer: 1 << 26 }).stdout);
    return benchmarks.find((b) => b.aggregate_name === 'median').real_time;
}

function h8Time(line, repetitions) {
    const run = (text) => median(Array.from({ length: repetitions }, () => timed(() => spawnSync(h8Path, ['--lf', '-w', '80', '--', text]))));
    return run(line) - run('');
}

function printEngineTimes(length, repetitions) {
    const line = prose(length);
    const wasm = moduleTime(line, repetitions);
    const engineBench = path.resolve(process.env.ENGINE_BENCH ?? path.join(root, 'build/bench/engine_bench'));
    const name = nativeCase(engineBench);
    const native = name ? engineBenchTime(engineBench, name) : h8Time(line, repetitions);
    const source = name ? `engine_bench ${name}` : 'h8 -w 80 whole process less one on an empty line';
    console.log(`${length} characters of prose at width 80, text form: module ${ms(wasm)} (median of ${repetitions}); native ${ms(native)} (${source}); ratio ${(wasm / native).toFixed(2)}`);
}

printSize();
const browser = await launchBrowser();
try {
    await firstBanner(browser, 10);
    await keystrokes(browser, 1000);
} finally {
    await browser.close();
}
printEngineTimes(30_000, 21);
