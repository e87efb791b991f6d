'use strict';

const $ = (id) => document.getElementById(id);
const line = $('line');
const format = $('format');
const align = $('align');
const trim = $('trim');
const prefix = $('prefix');
const banner = $('banner');
const size = $('size');
const source = $('source');
const sourceLabel = $('source-label');
const report = $('report');
const error = $('error');
const status = $('status');
const numberBoxes = ['spaces', 'lines', 'width'];

// Whether a box holds something other than what the page came with.
function edited(box) {
    if (box.type === 'checkbox') return box.checked !== box.defaultChecked;
    if (box.tagName === 'SELECT') return box.selectedIndex > 0;
    return box.value !== box.defaultValue;
}

// A value that is not among a select's options falls back to the first, its default.
function choose(select, value) {
    select.value = value;
    if (select.selectedIndex < 0) select.selectedIndex = 0;
}

// Fills the boxes from the address's fragment, a box it does not name with its default.
// At the start, a box that the user has already typed into (a browser may show the
// boxes before this script runs) keeps what was typed.
function fillFromFragment(keepEdited) {
    const params = new URLSearchParams(location.hash.slice(1));
    const fill = (box, apply) => {
        if (!(keepEdited && edited(box))) apply();
    };
    fill(line, () => { line.value = params.get('text') ?? ''; });
    for (const name of numberBoxes) {
        const box = $(name);
        fill(box, () => { box.value = params.get(name) ?? box.defaultValue; });
    }
    fill(format, () => choose(format, params.get('format') ?? 'text'));
    fill(align, () => choose(align, params.get('align') ?? 'left'));
    fill(trim, () => { trim.checked = params.get('trim') === '1'; });
    fill(prefix, () => { prefix.value = params.get('prefix') ?? ''; });
}

function fragment() {
    const params = new URLSearchParams({ text: line.value });
    for (const name of numberBoxes) params.set(name, $(name).value);
    params.set('format', format.value);
    params.set('align', align.value);
    params.set('trim', trim.checked ? '1' : '0');
    params.set('prefix', prefix.value);
    return '#' + params.toString();
}

// Sets a text only when it changes, so that a live region or an alert is not
// announced again at every keystroke.
function setText(element, text) {
    if (element.textContent !== text) element.textContent = text;
}
const say = (text) => setText(status, text);
const sentence = (clause) => (clause ? clause[0].toUpperCase() + clause.slice(1) + '.' : '');
const columnsOf = (text) => [...text].length;

// The widest row of a text, in characters: counted by units, and by characters only
// where a row may hold a pair of surrogates.
function widestRow(text) {
    if (/[\ud800-\udfff]/.test(text)) return text.split('\n').reduce((most, row) => Math.max(most, columnsOf(row)), 0);
    let widest = 0;
    for (let start = 0; start < text.length;) {
        const end = text.indexOf('\n', start);
        const stop = end < 0 ? text.length : end;
        widest = Math.max(widest, stop - start);
        start = stop + 1;
    }
    return widest;
}
const labelOf = (name) => document.querySelector(`label[for="${name}"]`).textContent;

// Shows TEXT in the banner in pieces of ROWS rows each, a band with the blank lines
// after it, and replaces only a piece whose text changed: a keystroke at the end of
// a long line lays out its last band, not the whole banner. Each piece is a block, so
// its rows stay rows; the banner's text is their text, one after the other.
function showBanner(text, rows) {
    const shown = banner.children;
    let count = 0;
    for (let start = 0; start < text.length; count++) {
        let end = start;
        for (let n = 0; n < rows && end < text.length; n++) {
            const next = text.indexOf('\n', end);
            end = next < 0 ? text.length : next + 1;
        }
        const piece = shown[count] ?? banner.appendChild(document.createElement('span'));
        setText(piece, text.slice(start, end));
        start = end;
    }
    while (shown.length > count) shown[count].remove();
}

// The characters that the banner's box shows side by side, measured with a ruler of a
// hundred characters in the banner's font.
const ruler = document.createElement('span');
ruler.className = 'ruler';
ruler.setAttribute('aria-hidden', 'true');
ruler.textContent = '0'.repeat(100);
banner.after(ruler);
function windowColumns() {
    const style = getComputedStyle(banner);
    const inside = banner.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    return Math.floor((inside + 0.01) / (ruler.getBoundingClientRect().width / 100));
}

// For browsers without the clipboard API or that refuse it: copy a selected, unseen text box.
function copyBySelection(text, button) {
    const area = document.createElement('textarea');
    area.value = text;
    area.readOnly = true;
    area.style.cssText = 'position:fixed;top:0;left:0;opacity:0';
    document.body.append(area);
    area.select();
    try {
        return document.execCommand('copy');
    } catch {
        return false;
    } finally {
        area.remove();
        button.focus();
    }
}

async function copyText(text, button) {
    try {
        // Throws as well where there is no clipboard API (pages not in a secure context).
        await navigator.clipboard.writeText(text);
        return true;
    } catch {
        return copyBySelection(text, button);
    }
}

function start() {
    const loftype = createLoftype(loftypeModule);
    const { spacing: spacingRange, width: widthRange } = loftype.limits;
    for (const range of document.querySelectorAll('[data-range]')) {
        const { low, high } = loftype.limits[range.dataset.range];
        range.textContent = `${low} to ${high}`;
    }

    // The three numeric boxes: how each reads its text, and what it says when it cannot.
    // An empty width box fits the banner to the window.
    const spacingMessage = (name) => `${labelOf(name)} must be a number from ${spacingRange.low} to ${spacingRange.high}.`;
    const numbers = {
        spaces: { read: (text) => loftype.readSpacing(text), message: spacingMessage('spaces') },
        lines: { read: (text) => loftype.readSpacing(text), message: spacingMessage('lines') },
        width: {
            read: (text) => (text.trim() === '' ? 'fit' : loftype.readWidth(text)),
            message: `${labelOf('width')} must be a number from ${widthRange.low} to ${widthRange.high}, or empty to fit the window.`,
        },
    };

    // The options of every call but its format and width; the numbers hold the last good
    // value of each box, the width 'fit' or a number.
    const options = { spaces: 1, lines: 1, width: 'fit', align: 'left', trim: false, prefix: '' };
    // What Copy puts on the clipboard: the text form, or the Markdown or HTML source.
    let shown = '';

    // The columns that the banner's box shows, measured when its size changes (a
    // measure in draw would lay the page out at every keystroke).
    let columns = windowColumns();
    // The layout of the calls: the width box's, or bands that fit the columns that the
    // window shows beside the prefix.
    const fitted = () => Math.min(widthRange.high, Math.max(1, columns - columnsOf(options.prefix)));
    const layout = () => (options.width === 'fit' ? { ...options, width: -1, columns: fitted() } : options);

    function checkNumber(name) {
        const box = $(name);
        const value = numbers[name].read(box.value);
        const bad = value === null;
        if (!bad) options[name] = value;
        $(name + '-error').textContent = bad ? numbers[name].message : '';
        if (bad) box.setAttribute('aria-invalid', 'true');
        else box.removeAttribute('aria-invalid');
        box.setAttribute('aria-describedby', name + (bad ? '-error' : '-hint'));
    }

    function readChoices() {
        options.align = align.value;
        options.trim = trim.checked;
        options.prefix = prefix.value;
    }

    // A call of the module; a fault of the engine, which the glue throws, becomes its
    // result's error, so that the page says so and Copy and Download refuse.
    function run(call) {
        try {
            return call();
        } catch (fault) {
            return { text: '', report: '', error: `the banner engine failed (${fault})` };
        }
    }

    // A line too wide to enlarge is drawn with no width limit alone: the message says
    // which width would break it into rows.
    function failure(result) {
        if (result.failure !== 'tooWide') return sentence(result.error);
        return `The line of ${result.characters} characters is too long to enlarge in one row: its banner would be wider than ` +
            `${widthRange.high} characters. Give a width, such as ${fitted()}, or leave Width empty to fit the window.`;
    }

    function describeSize(text, width) {
        const widest = widestRow(text);
        if (widest === 0) return '';
        const limit = options.width === 'fit' ? `fitted to the window's ${width}` : width < 1 ? 'no width limit' : `with Width at ${width}`;
        const scroll = widest > columns ? ' Scroll sideways to see it all.' : '';
        return `${widest} characters wide, ${limit}.${scroll}`;
    }

    // Draws the text form, and for Markdown and HTML shows their text as well; the first
    // call that fails names its failure.
    function draw() {
        const text = line.value;
        const chosen = format.value;
        const given = layout();
        const plain = run(() => loftype.banner(text, { ...given, format: 'text' }));
        const other = chosen === 'text' ? plain : run(() => loftype.banner(text, { ...given, format: chosen }));
        showBanner(plain.text, 8 + options.lines + 1);
        banner.setAttribute('aria-label', text);
        setText(size, describeSize(plain.text, given.columns ?? given.width));
        setText(report, plain.report);
        setText(error, plain.error ? failure(plain) : failure(other));
        shown = other.text;
        sourceLabel.textContent = chosen === 'html' ? 'HTML to paste' : 'Markdown to paste';
        source.textContent = chosen === 'text' ? '' : shown;
        source.hidden = sourceLabel.hidden = chosen === 'text';
        say('');
    }

    function readAll() {
        for (const name of numberBoxes) checkNumber(name);
        readChoices();
        draw();
    }

    // The address follows the boxes once typing pauses: Chromium takes a millisecond or
    // more for each replaceState, a third of a keystroke's time. It is brought up to date
    // at once before the link is copied and when the page is left.
    let addressTimer = 0;
    function updateAddress() {
        clearTimeout(addressTimer);
        addressTimer = 0;
        if (location.hash !== fragment()) history.replaceState(null, '', fragment());
    }

    function changed(event) {
        if (event.target.id in numbers) checkNumber(event.target.id);
        else if (event.target !== line) readChoices();
        draw();
        clearTimeout(addressTimer);
        addressTimer = setTimeout(updateAddress, 300);
    }

    async function copy() {
        if (error.textContent) say(error.textContent);
        else say((await copyText(shown, $('copy'))) ? 'Copied.' : 'The browser did not let the page copy.');
    }

    async function copyLink() {
        updateAddress();
        say((await copyText(location.href, $('copy-link'))) ? 'Link copied.' : 'The browser did not let the page copy.');
    }

    function download() {
        const file = run(() => loftype.saveText(line.value, layout())); // its layout options alone count
        const { name, error: refused } = file.error ? { error: '' } : run(() => loftype.fileName(line.value));
        if (file.error || refused) {
            say(file.error ? failure(file) : sentence(refused));
            return;
        }
        const url = URL.createObjectURL(new Blob([file.bytes], { type: 'text/plain' }));
        const link = document.createElement('a');
        link.href = url;
        link.download = name;
        link.click();
        setTimeout(() => URL.revokeObjectURL(url), 0);
        say('Downloading ' + name + '.');
    }

    // A new window width redraws a banner that fits the window.
    new ResizeObserver(() => {
        if (windowColumns() === columns) return;
        columns = windowColumns();
        if (options.width === 'fit') draw();
    }).observe(banner);

    const form = $('controls');
    form.addEventListener('input', changed);
    form.addEventListener('submit', (event) => event.preventDefault());
    $('copy').addEventListener('click', copy);
    $('copy-link').addEventListener('click', copyLink);
    $('download').addEventListener('click', download);
    addEventListener('pagehide', updateAddress);
    addEventListener('hashchange', () => {
        clearTimeout(addressTimer);
        fillFromFragment(false);
        readAll();
    });
    readAll();
}

fillFromFragment(true);
try {
    start();
} catch (failure) {
    error.textContent = `The page could not start: ${failure.message}`;
}
