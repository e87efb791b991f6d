// The web page in one headless Chromium, against h8: typing, the option boxes,
// the fragment, thousands of generated cases, the banner fitted to the window and kept
// in view, lines too wide to enlarge, the download, the copy of the banner and of its
// link from a page on a static HTTP host, the names that assistive technology reads,
// the colours of light and dark, and not one network request or console message.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import { after, before, describe, it } from 'node:test';
import { pathToFileURL } from 'node:url';
import { launchBrowser } from './browser.mjs';
import { h8Banner, h8Many, h8Save, pagePath } from './h8.mjs';
import { brief, generatedLine, generator, numberText, overflowing, prefixes, seed } from './random.mjs';

const pageUrl = pathToFileURL(pagePath).href;
const deadline = 15_000; // for a click, a download, a redraw: the slowest seen took under 1 s

const sentence = (clause) => (clause ? clause[0].toUpperCase() + clause.slice(1) + '.' : '');
// The page's words for h8's error: its own for a line too wide, with the width it
// suggests as N (the window's, which the test of fitting checks).
function pageError(error) {
    const tooWide = /^the line of (\d+) characters is too long to enlarge/.exec(error);
    return tooWide ? `The line of ${tooWide[1]} characters is too long to enlarge in one row: its banner would be wider than 32767 ` +
        'characters. Give a width, such as N, or leave Width empty to fit the window.' : sentence(error);
}

// The fields of a case as the page's boxes and its fragment hold them (with no width
// limit, where the page's own default fits the window); the h8 options for them.
const fieldDefaults = { text: '', spaces: '1', lines: '1', width: '-1', format: 'text', align: 'left', trim: '0', prefix: '' };
const h8Options = (f, format = f.format) =>
    ({ spaces: f.spaces, lines: f.lines, width: f.width, format, align: f.align, trim: f.trim === '1', prefix: f.prefix });

// In the page: sets the boxes to each case's fields as a person would, each changed box
// firing its events, or opens them as a fragment; then reads what the page shows.
// The page brings its address up to date once typing pauses, and at once when it is
// left (pagehide, fired here); replaceState costs Chromium a millisecond or more a call,
// so the page's calls are recorded, and made only before a fragment is opened and at
// the end.
async function showInPage([cases, wait]) {
    const $ = (id) => document.getElementById(id);
    const fire = (box) => ['input', 'change'].forEach((type) => box.dispatchEvent(new Event(type, { bubbles: true })));
    const setBox = (id, value) => {
        const box = $(id);
        const key = box.type === 'checkbox' ? 'checked' : 'value';
        const wanted = box.type === 'checkbox' ? value === '1' : value;
        if (box[key] !== wanted) {
            box[key] = wanted;
            fire(box);
        }
    };
    let fragment = location.hash;
    history.replaceState = (state, title, url) => { fragment = new URL(url, location.href).hash; };
    const flush = () => location.hash === fragment || History.prototype.replaceState.call(history, null, '', fragment);
    const openFragment = async (hash) => {
        flush();
        if (location.hash === hash) return;
        let timer;
        const redrawn = Promise.race([
            new Promise((resolve) => addEventListener('hashchange', resolve, { once: true })),
            new Promise((_, reject) => { timer = setTimeout(() => reject(new Error(`no hashchange for ${hash.slice(0, 80)}`)), wait); }),
        ]);
        location.hash = hash;
        await redrawn.finally(() => clearTimeout(timer));
        fragment = location.hash;
    };
    const shown = () => {
        dispatchEvent(new Event('pagehide'));
        return {
            banner: $('banner').textContent,
            label: $('banner').getAttribute('aria-label'),
            source: $('source').hidden ? null : $('source').textContent,
            report: $('report').textContent,
            error: $('error').textContent.replace(/such as \d+,/, 'such as N,'),
            fragment: Object.fromEntries(new URLSearchParams(fragment.slice(1))),
        };
    };
    const seen = [];
    try {
        for (const { fields, viaFragment } of cases) {
            if (viaFragment) await openFragment(`#${new URLSearchParams(fields)}`);
            else for (const [id, value] of Object.entries(fields)) setBox(id === 'text' ? 'line' : id, value);
            seen.push(shown());
        }
    } finally {
        delete history.replaceState;
        flush();
    }
    return seen;
}

// What the page must show for FIELDS, from h8: the text form, and the source for the others.
function expectation(fields, textRun, sourceRun) {
    return {
        banner: textRun.text,
        label: fields.text,
        source: fields.format === 'text' ? null : sourceRun.text,
        report: textRun.report,
        error: pageError(textRun.error),
        fragment: fields,
    };
}

async function expectations(fieldsList) {
    const calls = fieldsList.flatMap((f) => [[f.text, h8Options(f, 'text')], ...(f.format === 'text' ? [] : [[f.text, h8Options(f)]])]);
    const runs = await h8Many(calls);
    let next = 0;
    return fieldsList.map((f) => expectation(f, runs[next++], f.format === 'text' ? null : runs[next++]));
}

// Where SEEN differs from WANTED, field by field; for text, the first line that differs.
function differences(seen, wanted) {
    return Object.keys(wanted).flatMap((key) => {
        const [got, want] = [seen[key], wanted[key]];
        if (JSON.stringify(got) === JSON.stringify(want)) return [];
        if (typeof got !== 'string' || typeof want !== 'string') return [`${key}: ${brief(got)}, not ${brief(want)}`];
        const [gotLines, wantLines] = [got.split('\n'), want.split('\n')];
        const row = gotLines.findIndex((line, i) => line !== wantLines[i]);
        const at = row < 0 ? wantLines.length - 1 : row;
        return [`${key}, line ${at + 1} of ${wantLines.length}: ${brief(gotLines[at])}, not ${brief(wantLines[at])}`];
    });
}

async function checkShown(page, cases, label) {
    const [seen, wanted] = await Promise.all([
        page.evaluate(showInPage, [cases, deadline]),
        expectations(cases.map((c) => c.fields)),
    ]);
    const wrong = cases.flatMap((c, i) => {
        const found = differences(seen[i], wanted[i]);
        const how = c.viaFragment ? 'via the fragment' : 'via the boxes';
        return found.length ? [`${label} ${c.index} ${how}: ${JSON.stringify(c.fields)}\n  ${found.join('\n  ')}`] : [];
    });
    assert.equal(wrong.length, 0, `${wrong.length} of ${cases.length} cases differ from h8:\n${wrong.slice(0, 3).join('\n')}`);
}

// A case as a person makes one: a new line, and now and then another value in a box.
function generatedCase(random, index, previous) {
    const number = (n) => (random.chance(0.85) ? String(n) : numberText(random, n));
    const make = {
        text: () => generatedLine(random),
        spaces: () => number(random.int(0, 12)),
        lines: () => number(random.int(0, 12)),
        width: () => number(random.pick([-1, 0, 32767, -32768, ...Array(12).fill(null)]) ?? random.int(1, 200)),
        format: () => random.pick(['text', 'markdown', 'html']),
        align: () => random.pick(['left', 'center', 'right']),
        trim: () => random.pick(['0', '1']),
        prefix: () => random.pick(prefixes),
    };
    const fields = Object.fromEntries(Object.entries(make).map(([key, value]) =>
        [key, key === 'text' || random.chance(0.4) ? value() : previous[key]]));
    return { index, fields, viaFragment: random.chance(0.1) };
}

describe('the page', () => {
    let browser;
    let context;
    let page;
    const requests = [];
    const pageErrors = [];
    const consoleMessages = [];

    const openPage = async (target, hash = '') => {
        const opened = await target.newPage();
        await opened.goto(`${pageUrl}${hash}`);
        return opened;
    };
    const watch = (target, urls) => {
        target.setDefaultTimeout(deadline);
        target.on('request', (request) => urls.push(request.url()));
        target.on('page', (opened) => {
            opened.on('pageerror', (error) => pageErrors.push(error.message));
            opened.on('console', (message) => message.type() === 'log' || consoleMessages.push(`${message.type()}: ${message.text()}`));
        });
    };
    const own = (url) => url.split('#')[0] === pageUrl || /^(blob|data):/.test(url);
    const setFields = (fields) => page.evaluate(showInPage, [[{ fields: { ...fieldDefaults, ...fields } }], deadline]);

    before(async () => {
        browser = await launchBrowser();
        context = await browser.newContext({ acceptDownloads: true });
        watch(context, requests);
        // Whatever the page might ask of the network is stopped here, and then named.
        await context.route('**/*', (route) => (own(route.request().url()) ? route.continue() : route.abort()));
        page = await openPage(context);
    });
    after(() => browser?.close());

    it('focuses the line and draws what is typed', async () => {
        assert.equal(await page.evaluate(() => document.activeElement.id), 'line');
        assert.ok(await page.getAttribute('#line', 'placeholder'), 'an example in the empty line box');
        assert.ok(await page.getAttribute('meta[name="description"]', 'content'), 'a description for link previews');
        await page.keyboard.type('Hi 42!');
        assert.equal(await page.locator('#banner').textContent(), h8Banner('Hi 42!').text);
        // The address follows once typing pauses.
        await page.waitForFunction(() => new URLSearchParams(location.hash.slice(1)).get('text') === 'Hi 42!');
    });

    it('keeps what was typed before its script ran, and fills the other boxes from the link', async () => {
        const early = await context.newPage();
        // Typed as soon as the line box is there, before the page's script has run.
        await early.addInitScript(() => {
            new MutationObserver((_, observer) => {
                const box = document.getElementById('line');
                if (box) {
                    box.value = 'Hi!';
                    observer.disconnect();
                }
            }).observe(document, { childList: true, subtree: true });
        });
        await early.goto(`${pageUrl}#${new URLSearchParams({ text: 'Old', spaces: '3' })}`);
        assert.deepEqual([await early.inputValue('#line'), await early.inputValue('#spaces')], ['Hi!', '3']);
        assert.equal(await early.locator('#banner').textContent(), h8Banner('Hi!', { spaces: 3 }).text);
        await early.close();
    });

    it('draws an opened fragment without typing', async () => {
        const fields = { ...fieldDefaults, text: 'Open me', spaces: '3', width: '30', format: 'markdown', align: 'center', trim: '1', prefix: '> ' };
        const opened = await openPage(context, `#${new URLSearchParams(fields)}`);
        await checkShown(opened, [{ index: 0, fields, viaFragment: true }], 'opened');
        await opened.close();
    });

    it('matches h8 on generated cases, through the boxes and the fragment', { timeout: 240_000 }, async (t) => {
        const random = generator(seed);
        const count = 3000;
        const batch = 100;
        t.diagnostic(`seed ${seed} (LOFTYPE_SEED), ${count} cases`);
        let previous = fieldDefaults;
        for (let first = 0; first < count; first += batch) {
            const cases = [];
            for (let i = first; i < first + batch; i++) {
                cases.push(generatedCase(random, i, previous));
                previous = cases.at(-1).fields;
            }
            await checkShown(page, cases, `seed ${seed} case`);
        }
    });

    it('keeps the last good value while an option box is wrong, saying so beside its hint', async () => {
        const texts = {
            spaces: ['0 to 12. 0 gives one blank, 1 gives two.', 'Space after each letter must be a number from 0 to 12.'],
            lines: ['0 to 12. 0 gives one blank line, 1 gives two.', 'Blank lines after each row of letters must be a number from 0 to 12.'],
            width: ['Empty: fit the window. 0 or less: no limit.',
                'Width in characters must be a number from -32768 to 32767, or empty to fit the window.'],
        };
        for (const [box, [hint]] of Object.entries(texts)) {
            assert.equal(await page.locator(`#${box}-hint`).textContent(), hint, `#${box}-hint`);
        }
        const cases = [['spaces', '3', '13'], ['lines', '0', 'x'], ['width', '20', '99999'], ['spaces', '2', '-0.4'], ['width', '12', 'wide']];
        for (const [box, good, bad] of cases) {
            const label = `#${box} from ${JSON.stringify(good)} to ${JSON.stringify(bad)}`;
            await setFields({ text: 'Ab', [box]: good });
            await setFields({ text: 'Ab', [box]: bad });
            assert.equal(await page.locator(`#${box}-error`).textContent(), texts[box][1], `${label}: the message`);
            assert.equal(await page.locator('#banner').textContent(), h8Banner('Ab', { [box]: good }).text, `${label}: the banner keeps ${good}`);
            await setFields({ text: 'Abc', [box]: bad });
            assert.equal(await page.locator('#banner').textContent(), h8Banner('Abc', { [box]: good }).text, `${label}: a new line with ${good}`);
            await setFields({ text: 'Abc' });
            assert.equal(await page.locator(`#${box}-error`).textContent(), '', `${label}: the message goes with a good value`);
        }
    });

    it('survives 10,000 lines too wide to enlarge and stays right', { timeout: 120_000 }, async (t) => {
        const random = generator(seed + 1);
        const lines = Array.from({ length: 10_000 }, () => {
            const [head, most, body, fewest, bodies] = random.pick(overflowing);
            return [head, random.int(0, most), body, random.int(fewest, bodies)];
        });
        const started = performance.now();
        const samples = await page.evaluate(overflowInPage, [lines, 1000]);
        t.diagnostic(`seed ${seed + 1}: 10,000 overflowing lines in ${Math.round(performance.now() - started)} ms`);
        assert.ok(typeof samples !== 'string', samples);
        // The page's message counts the characters as h8 does, and suggests a width.
        const count = (message) => /^the line of (\d+) characters is too long/i.exec(message)?.[1];
        for (const { text, spaces, error } of samples) {
            assert.equal(count(error), count(h8Banner(text, { spaces }).error), `the error for ${brief(text)}, spaces ${spaces}`);
        }
        const alert = page.getByRole('alert');
        assert.equal(await alert.getAttribute('id'), 'error');
        assert.match(await alert.textContent(), /^The line of \d+ characters is too long to enlarge in one row: its banner would be wider than 32767 characters\. Give a width, such as \d+, or leave Width empty to fit the window\.$/);
        await page.locator('#line').fill('');
        await page.keyboard.type('Fine again');
        const spaces = await page.inputValue('#spaces');
        assert.equal(await page.locator('#banner').textContent(), h8Banner('Fine again', { spaces }).text);
        assert.equal(await page.locator('#error').textContent(), '');
        await setFields({});
    });

    it('downloads the file h8 --save writes, and refuses a name too long', async () => {
        // A lone surrogate, which h8's UTF-8 cannot carry, has the name that it must have.
        const cases = [['café', {}], ['a:b', { spaces: '2', width: '30' }], ['CON', { lines: '0' }], ['a/b', {}], ['\ud800', {}, '_.txt'],
            ['a'.repeat(252), {}]];
        for (const [text, options, lone] of cases) {
            await setFields({ text, ...options });
            const expected = lone ? { name: lone } : h8Save(text, options);
            const label = `the download of ${JSON.stringify(text)} with ${JSON.stringify(options)}`;
            if (expected.refused) {
                assert.equal(expected.refused, 'File name too long', `${label}: h8's reason`);
                await page.click('#download');
                assert.equal(await page.locator('#status').textContent(),
                    `The file name is too long to save: ${text.length + 4} bytes of UTF-8, more than the 255 that file systems take.`, label);
                continue;
            }
            const [download] = await Promise.all([page.waitForEvent('download'), page.click('#download')]);
            assert.equal(download.suggestedFilename(), expected.name, label);
            assert.equal(await page.locator('#status').textContent(), `Downloading ${expected.name}.`, label);
            if (expected.bytes) assert.ok(fs.readFileSync(await download.path()).equals(expected.bytes), `${label}: bytes differ from h8's file`);
        }
    });

    it('shows a call that fails in any form, the text form or another, and Copy refuses it', { timeout: 90_000 }, async () => {
        const failing = await context.newPage();
        // The module's HTML form fails while the page's htmlFails says so: 'memory' as when
        // the module runs out of memory (its mark set), 'fault' as a trap of the engine.
        await failing.addInitScript(() => {
            const { Instance } = WebAssembly;
            WebAssembly.Instance = function (module, imports) {
                const { exports } = new Instance(module, imports);
                let marked = 0;
                const banner = (...args) => {
                    if (args[4] !== 2 || !globalThis.htmlFails) return exports.banner(...args);
                    marked = globalThis.htmlFails === 'memory' ? 1 : 0;
                    throw new WebAssembly.RuntimeError('unreachable');
                };
                return { exports: { ...exports, banner, out_of_memory: () => marked || exports.out_of_memory() } };
            };
        });
        await failing.goto(pageUrl);
        const noMemory = 'The banner of this line is larger than the memory that the page may use.';
        const cases = [
            // A text form longer than a string may be (567 MB), which Chromium's decoder does not make.
            [{ text: 'W'.repeat(1000), width: '1', lines: '12', prefix: 'x'.repeat(27000) }, '', noMemory],
            [{ text: 'Hi', format: 'html' }, 'memory', noMemory],
            [{ text: 'Hi', format: 'html', align: 'center' }, 'fault', 'The banner engine failed (RuntimeError: unreachable).'],
            [{ text: 'Hi', format: 'html' }, '', ''],
        ];
        for (const [i, [fields, fails, error]] of cases.entries()) {
            const all = { ...fieldDefaults, ...fields };
            await failing.evaluate((how) => { globalThis.htmlFails = how; }, fails);
            const [seen] = await failing.evaluate(showInPage, [[{ fields: all, viaFragment: true }], 60_000]);
            const label = `case ${i}, ${fails || 'nothing'} failing: ${brief(fields)}`;
            const text = error === noMemory && !fails ? '' : h8Banner(all.text, h8Options(all, 'text')).text;
            const source = all.format === 'text' ? null : error ? '' : h8Banner(all.text, h8Options(all)).text;
            assert.deepEqual([seen.error, seen.banner, seen.source], [error, text, source], label);
            if (!error) continue;
            await failing.click('#copy');
            assert.equal(await failing.locator('#status').textContent(), error, `${label}: Copy refuses`);
        }
        await failing.close();
    });

    it('is worked by the keyboard alone: the line, the banner and its buttons, then the options', async () => {
        await setFields({ text: 'Keys' });
        await page.focus('#line');
        const reached = [];
        while (reached.length < 20 && reached.at(-1) !== 'trim') {
            await page.keyboard.press('Tab');
            reached.push(await page.evaluate(() => document.activeElement.id));
        }
        assert.deepEqual(reached, ['banner', 'copy', 'copy-link', 'download', 'spaces', 'lines', 'width', 'format', 'align', 'prefix', 'trim']);
        await page.focus('#download');
        const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Enter')]);
        assert.equal(download.suggestedFilename(), 'Keys.txt');
    });

    it('fits the banner to the window, keeps its first band in view and cuts no text', { timeout: 60_000 }, async () => {
        const fitted = async (view) => Number(/fitted to the window's (\d+)\./.exec(await view.textContent('#size'))?.[1]);
        const shows = async (view, text, options) =>
            assert.equal(await view.locator('#banner').textContent(), h8Banner(text, options).text, `${brief(text)} with ${JSON.stringify(options)}`);
        for (const [width, height] of [[1280, 800], [320, 640]]) {
            const view = await context.newPage();
            await view.setViewportSize({ width, height });
            await view.goto(pageUrl);
            await view.keyboard.type('Hello');
            await shows(view, 'Hello', { columns: await fitted(view) });
            // Its eight rows, from the first character to the end of the eighth row.
            const band = await view.evaluate(() => {
                const rows = document.getElementById('banner').firstElementChild.firstChild;
                const range = document.createRange();
                range.setStart(rows, 0);
                range.setEnd(rows, rows.data.split('\n', 8).join('\n').length);
                const { top, bottom, right } = range.getBoundingClientRect();
                return { top, bottom, right, focused: document.activeElement.id };
            });
            assert.ok(band.top >= 0 && band.bottom <= height && band.right <= width && band.focused === 'line',
                `${width}x${height}: the first band is at ${JSON.stringify(band)}`);
            const cut = await view.evaluate(() => [...document.querySelectorAll('h1, p, label, legend, span, button, select, input')]
                .filter((e) => e.offsetParent && (e.scrollWidth > e.clientWidth + 1 || e.getBoundingClientRect().right > innerWidth))
                .map((e) => e.id || e.textContent.slice(0, 30)));
            assert.deepEqual(cut, [], `${width}x${height}: elements cut or beyond the screen`);
            assert.ok(await view.evaluate(() => document.documentElement.scrollWidth <= innerWidth), `${width}x${height}: the page scrolls sideways`);
            await view.close();
        }
        // A new window width fits anew; a long line wraps with no limit given, and with
        // no limit is refused with the width of the window suggested; Download saves what is shown.
        const view = await context.newPage();
        await view.setViewportSize({ width: 320, height: 640 });
        await view.goto(`${pageUrl}#text=Hello+world`);
        const narrow = await fitted(view);
        await view.setViewportSize({ width: 800, height: 640 });
        await view.waitForFunction((before) => !document.getElementById('size').textContent.includes(`window's ${before}.`), narrow);
        assert.ok((await fitted(view)) > narrow, 'a wider window, a wider banner');
        await shows(view, 'Hello world', { columns: await fitted(view) });
        const long = 'W'.repeat(3000);
        await view.fill('#line', long);
        assert.equal(await view.textContent('#error'), '');
        await shows(view, long, { columns: await fitted(view) });
        const columns = await fitted(view);
        await view.fill('#width', '-1');
        assert.match(await view.textContent('#error'), new RegExp(`^The line of 3000 characters .* Give a width, such as ${columns}, or leave Width empty`));
        await view.fill('#width', '');
        await view.fill('#line', long.slice(0, 200)); // a file name file systems take
        const [download] = await Promise.all([view.waitForEvent('download'), view.click('#download')]);
        const file = `${h8Banner(long.slice(0, 200), { columns, lineEnd: '\r\n' }).text}\r\n`; // as Save ends its page
        assert.equal(fs.readFileSync(await download.path(), 'utf8'), file, 'the file is the banner shown');
        await view.close();
    });

    it('sets its own colours, readable in light and dark', async () => {
        for (const colorScheme of ['light', 'dark']) {
            const view = await browser.newPage({ colorScheme });
            await view.goto(`${pageUrl}#${new URLSearchParams({ text: 'Colour', spaces: 'x' })}`);
            const poor = await view.evaluate(() => {
                const channels = (colour) => colour.match(/[\d.]+/g).map(Number);
                const luminance = (colour) => channels(colour).slice(0, 3).map((c) => c / 255)
                    .map((c) => (c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4))
                    .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
                const backgroundOf = (element) => {
                    for (let e = element; e; e = e.parentElement) {
                        const colour = getComputedStyle(e).backgroundColor;
                        if (channels(colour)[3] !== 0) return colour;
                    }
                    return null; // left to the browser
                };
                return [...document.querySelectorAll('h1, p, label, legend, span, pre')].filter((e) => e.offsetParent && e.textContent.trim())
                    .flatMap((e) => {
                        const background = backgroundOf(e);
                        const [a, b] = [luminance(getComputedStyle(e).color), background && luminance(background)].sort((x, y) => y - x);
                        const ratio = background && (a + 0.05) / (b + 0.05);
                        return ratio >= 4.5 ? [] : [`${e.id || e.textContent.slice(0, 20)}: ${background ? ratio.toFixed(1) : 'no background'}`];
                    });
            });
            await view.close();
            assert.deepEqual(poor, [], `${colorScheme}: text below 4.5:1`);
        }
    });

    it('names every control, the banner and the alert for assistive technology', async () => {
        await setFields({ text: 'Read me' });
        assert.equal(await page.getByRole('img', { name: 'Read me', exact: true }).getAttribute('id'), 'banner');
        const cdp = await context.newCDPSession(page);
        const { root } = await cdp.send('DOM.getDocument', { depth: -1 });
        const { nodeIds } = await cdp.send('DOM.querySelectorAll', { nodeId: root.nodeId, selector: 'input, select, textarea, button' });
        assert.ok(nodeIds.length >= 10, `${nodeIds.length} controls found`);
        for (const nodeId of nodeIds) {
            const { nodes } = await cdp.send('Accessibility.getPartialAXTree', { nodeId, fetchRelatives: false });
            const { node } = await cdp.send('DOM.describeNode', { nodeId });
            const id = node.attributes[node.attributes.indexOf('id') + 1];
            assert.ok(nodes[0].name?.value?.trim(), `#${id} (${nodes[0].role?.value}) has no accessible name`);
        }
        await cdp.detach();
        assert.equal(await page.getByRole('alert').count(), 1);
    });

    it('copies the shown text when served over HTTP', async () => {
        const html = fs.readFileSync(pagePath);
        // The server's own log: the driver does not see every request of the browser's
        // (not the one for a page's icon).
        const asked = [];
        const server = http.createServer((request, response) => {
            asked.push(request.url);
            const found = request.url === '/';
            response.writeHead(found ? 200 : 404, { 'content-type': 'text/html; charset=utf-8' });
            response.end(found ? html : '');
        });
        await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
        const origin = `http://127.0.0.1:${server.address().port}`;
        const served = await browser.newContext({ permissions: ['clipboard-read', 'clipboard-write'] });
        const seenUrls = [];
        watch(served, seenUrls);
        try {
            const copier = await served.newPage();
            for (const format of ['text', 'markdown', 'html']) {
                const fields = { ...fieldDefaults, text: `Copy <${format}>`, width: '40', format };
                await copier.goto(`${origin}/#${new URLSearchParams(fields)}`);
                await copier.click('#copy');
                await copier.waitForFunction(() => document.getElementById('status').textContent === 'Copied.');
                const copied = await copier.evaluate(() => navigator.clipboard.readText());
                assert.equal(copied, h8Banner(fields.text, h8Options(fields)).text, `the copy in ${format} form`);
            }
            // The link holds the banner: typed into, copied, and opened elsewhere.
            await copier.fill('#line', 'Copy link');
            await copier.click('#copy-link');
            await copier.waitForFunction(() => document.getElementById('status').textContent === 'Link copied.');
            const link = await copier.evaluate(() => navigator.clipboard.readText());
            assert.equal(link, copier.url());
            const opened = await served.newPage();
            await opened.goto(link);
            assert.equal(await opened.locator('#banner').textContent(), await copier.locator('#banner').textContent());
            assert.equal(await opened.inputValue('#line'), 'Copy link');
        } finally {
            await served.close();
            server.close();
        }
        assert.deepEqual(seenUrls.filter((url) => !url.startsWith(`${origin}/`)), [], 'requests beyond the page\'s host');
        assert.ok(asked.length > 0, 'the server logs its requests');
        assert.deepEqual(asked.filter((url) => url !== '/'), [], 'requests in the server\'s log but for the page');
    });

    it('throws no error and writes nothing to the console', () => {
        assert.deepEqual(pageErrors, []);
        assert.deepEqual(consoleMessages, []);
    });

    it('makes no request but for its own file', () => {
        assert.ok(requests.length > 0, 'the requests are recorded');
        assert.deepEqual(requests.filter((url) => !own(url)), []);
    });
});

// In the page: each line too wide to enlarge, made as HEAD × H + BODY × B, through the
// line box, with the spaces raised now and then (which only widens the lines). Returns
// every EVERY-th line with its error for checking against h8, or a string naming the
// first line whose error is missing or wrong.
function overflowInPage([lines, every]) {
    const $ = (id) => document.getElementById(id);
    const type = (id, value) => {
        $(id).value = value;
        $(id).dispatchEvent(new Event('input', { bubbles: true }));
    };
    const samples = [];
    history.replaceState = () => {}; // as in showInPage: the browser's own cost, not the page's
    try {
        for (const [i, [head, h, body, b]] of lines.entries()) {
            if (i % 2500 === 0) type('spaces', String(1 + (i / 2500) * 3));
            const text = head.repeat(h) + body.repeat(b);
            type('line', text);
            const error = $('error').textContent;
            if (!error.startsWith(`The line of ${[...text].length} characters is too long to enlarge in one row: `) || $('banner').textContent !== '') {
                return `line ${i} (${JSON.stringify(head)} × ${h} + ${JSON.stringify(body)} × ${b}): error ${JSON.stringify(error)}`;
            }
            if (i % every === 0) samples.push({ text, spaces: $('spaces').value, error });
        }
    } finally {
        delete history.replaceState;
    }
    return samples;
}
