// Size and speed of the web page and its WebAssembly module, run by hand:
//   bash scripts/web.sh && bash scripts/build.sh && npm ci --prefix tests/web
//   node bench/web_bench.mjs
// It prints the page's and the module's sizes, raw and gzipped; the time from navigation start to the
// first banner drawn (median of fresh loads opened with a fragment), beside the
// browser's own floor: the same for a page of one line of text, and the first paint of
// each; the time from an input event to the banner updated (the address, which follows
// once typing pauses, not included), over keystrokes that grow a line to 1,000
// characters (p95 and max); and the module's time for a 30,000-character line of prose
// at width 80 in Node, through the glue (which turns the module's 2 MB of output into a
// JavaScript string) and in the module alone, beside the native engine's, with their
// ratios; and the module's memory and time after typing a line of 1,800 characters, one
// character at a time, each drawn in the three forms (5,400 calls). The native time
// comes from build/bench/engine_bench's case BM_PrintedBanner (the same line, width and
// form). LOFTYPE_PAGE and LOFTYPE_WASM name the pieces, as for tests/web; ENGINE_BENCH
// names engine_bench.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import zlib from 'node:zlib';
import { launchBrowser } from '../tests/web/browser.mjs';
import { loadModule, pagePath, wasmPath } from '../tests/web/h8.mjs';
import { engineBenchTime, median, medianTime, ms, prose, timed } from './timing.mjs';

const percentile = (values, p) => [...values].sort((a, b) => a - b)[Math.ceil((p / 100) * values.length) - 1];

function printSizes() {
    for (const [name, file] of [['page', pagePath], ['module', wasmPath]]) {
        const bytes = fs.readFileSync(file);
        console.log(`${name} ${file}: ${bytes.length} bytes, ${zlib.gzipSync(bytes, { level: 9 }).length} gzipped (zlib level 9)`);
    }
}

// Records, from the first parsed byte on, when #banner first holds text, and the first
// contentful paint.
function watchFirstBanner() {
    new MutationObserver((_, observer) => {
        if (document.getElementById('banner')?.textContent) {
            window.firstBanner = performance.now();
            observer.disconnect();
        }
    }).observe(document, { childList: true, subtree: true, characterData: true });
    new PerformanceObserver((list) => {
        window.firstPaint = list.getEntries().find((entry) => entry.name === 'first-contentful-paint')?.startTime ?? window.firstPaint;
    }).observe({ type: 'paint', buffered: true });
}

// The first banner and the first paint of URL after navigation start, each load in a new
// browser context (a new renderer process, whose start is most of the time).
async function freshLoads(browser, url, loads) {
    const banners = [];
    const paints = [];
    const firstBytes = []; // when the page's first byte came: the browser's part before it
    for (let i = 0; i < loads; i++) {
        const context = await browser.newContext();
        const page = await context.newPage();
        await page.addInitScript(watchFirstBanner);
        await page.goto(url);
        const [banner, paint, firstByte] = await (await page.waitForFunction(() => window.firstPaint &&
            [window.firstBanner, window.firstPaint, performance.getEntriesByType('navigation')[0].responseStart])).jsonValue();
        banners.push(banner);
        paints.push(paint);
        firstBytes.push(firstByte);
        await context.close();
    }
    return { banners, paints, firstBytes };
}

// The first banner after navigation start: in a new browser context each time, beside a
// page of one line of text (the browser's floor), and on reloads of one page.
async function firstBanner(browser, loads) {
    const url = `${pathToFileURL(pagePath).href}#${new URLSearchParams({ text: 'Hello, world', width: '80' })}`;
    const drawn = async (page) => (await page.waitForFunction(() => window.firstBanner)).jsonValue();
    const floorFile = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'loftype-bench-')), 'floor.html');
    fs.writeFileSync(floorFile, '<!doctype html><title>Floor</title><pre id="banner">Hello, world</pre>\n');
    const floor = await freshLoads(browser, pathToFileURL(floorFile).href, loads);
    fs.rmSync(path.dirname(floorFile), { recursive: true });
    const { banners: fresh, paints, firstBytes } = await freshLoads(browser, url, loads);
    const page = await browser.newPage();
    await page.addInitScript(watchFirstBanner);
    await page.goto(url);
    const reloaded = [];
    for (let i = 0; i < loads; i++) {
        await page.reload();
        reloaded.push(await drawn(page));
    }
    await page.close();
    const line = (times) => `median ${ms(median(times))} (min ${ms(Math.min(...times))}, max ${ms(Math.max(...times))})`;
    console.log(`first banner after navigation start, ${loads} loads: in a new context ${line(fresh)}, first paint ${line(paints)}, ` +
        `the banner before it in ${fresh.filter((t, i) => t <= paints[i]).length}, the page's first byte ${line(firstBytes)}, ` +
        `from it to the banner ${line(fresh.map((t, i) => t - firstBytes[i]))}; reloaded ${line(reloaded)}`);
    console.log(`the floor, a page of one line in a new context: its text ${line(floor.banners)}, first paint ${line(floor.paints)}, ` +
        `its first byte ${line(floor.firstBytes)}`);
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

// Typing into the page at 1280x800, the banner fitted to the window.
async function keystrokes(browser, length) {
    const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
    await page.goto(pathToFileURL(pagePath).href);
    const { update, layout } = await page.evaluate(typeInPage, length);
    await page.close();
    const line = (label, times) => `${label} p95 ${ms(percentile(times, 95))}, max ${ms(Math.max(...times))}`;
    console.log(`keystroke to banner, ${length} keystrokes up to ${length} characters: ${line('text', update)}; ${line('with layout', layout)}`);
}

function glueTime(line, repetitions) {
    const loftype = loadModule();
    const options = { width: 80, format: 'text' };
    if (loftype.banner(line, options).error) throw new Error('the module could not enlarge the line');
    return medianTime(() => loftype.banner(line, options), repetitions);
}

// A fresh instance of the module, without the glue.
function moduleExports() {
    const module = new WebAssembly.Instance(new WebAssembly.Module(fs.readFileSync(wasmPath)), {}).exports;
    module._initialize();
    module.start();
    return module;
}

// Writes the first LENGTH characters of LINE into the module's input.
function putLine(module, line, length) {
    const start = module.input(length); // may grow the memory: take its buffer after
    const input = new Uint16Array(module.memory.buffer, start, length);
    for (let i = 0; i < length; i++) input[i] = line.charCodeAt(i);
}

// The module's own call, the line already in its input: no glue.
function exportTime(line, repetitions) {
    const module = moduleExports();
    putLine(module, line, line.length);
    return medianTime(() => module.banner(line.length, 1, 1, 80, 0, 0, 0, 0), repetitions);
}

// The module's memory after a line typed one character at a time, each state of it
// drawn as text, Markdown and HTML with no page limit (what the allocator keeps), and
// the time those calls took.
function printTypingMemory(length) {
    const module = moduleExports();
    const line = prose(length);
    const time = timed(() => {
        for (let n = 1; n <= length; n++) {
            putLine(module, line, n);
            for (const format of [0, 1, 2]) module.banner(n, 1, 1, -1, format, 0, 0, 0);
        }
    });
    const mib = (module.memory.buffer.byteLength / 2 ** 20).toFixed(1);
    console.log(`a line typed to ${length} characters, each state in the three forms (${length * 3} calls of the module): ` +
        `memory ${mib} MiB, ${ms(time)} in all`);
}

function printEngineTimes(length, repetitions) {
    const line = prose(length);
    const glue = glueTime(line, repetitions);
    const alone = exportTime(line, repetitions);
    const native = engineBenchTime('BM_PrintedBanner');
    if (native === null) throw new Error('build/bench/engine_bench is not built (bash scripts/build.sh)');
    console.log(`${length} characters of prose at width 80, text form, medians of ${repetitions}: ` +
        `through the glue ${ms(glue)}, the module alone ${ms(alone)}; native ${ms(native)} (engine_bench BM_PrintedBanner); ` +
        `ratios ${(glue / native).toFixed(2)} and ${(alone / native).toFixed(2)}`);
}

printSizes();
printTypingMemory(1800);
const browser = await launchBrowser();
try {
    await firstBanner(browser, 10);
    await keystrokes(browser, 1000);
} finally {
    await browser.close();
}
printEngineTimes(30_000, 21);
