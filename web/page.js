'use strict';

async function start() {
    const $ = (id) => document.getElementById(id);
    const loftype = createLoftype(new Uint8Array(await loftypeModule));

    // The ranges in the messages and the hints are the module's.
    const { spacing: spacingRange, width: widthRange } = loftype.limits;
    const SPACING_MESSAGE = 'The number of space between successive characters must be a number between ' +
        `${spacingRange.low} and ${spacingRange.high} inclusive.`;
    const WIDTH_MESSAGE = `The page width must be a number between ${widthRange.low} and ${widthRange.high}.`;
    for (const range of document.querySelectorAll('[data-range]')) {
        const { low, high } = loftype.limits[range.dataset.range];
        range.textContent = `${low} to ${high}`;
    }

    // The three numeric boxes: how each reads its text, and what it says when it cannot.
    const spacing = { read: (text) => loftype.readSpacing(text), message: SPACING_MESSAGE };
    const numbers = {
        spaces: spacing,
        lines: spacing,
        width: { read: (text) => loftype.readWidth(text), message: WIDTH_MESSAGE },
    };

    const line = $('line');
    const format = $('format');
    const align = $('align');
    const trim = $('trim');
    const prefix = $('prefix');
    const banner = $('banner');
    const source = $('source');
    const sourceLabel = $('source-label');
    const report = $('report');
    const error = $('error');
    const status = $('status');

    // The options of every call but its format; the numbers hold the last good value of each box.
    const options = { spaces: 1, lines: 1, width: -1, align: 'left', trim: false, prefix: '' };
    // What Copy puts on the clipboard: the text form, or the Markdown or HTML source.
    let shown = '';

    // Sets a text only when it changes, so that a live region or an alert is not
    // announced again at every keystroke.
    function setText(element, text) {
        if (element.textContent !== text) element.textContent = text;
    }
    const say = (text) => setText(status, text);
    const sentence = (clause) => (clause ? clause[0].toUpperCase() + clause.slice(1) + '.' : '');

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

    // Draws the text form, and for Markdown and HTML shows their text as well; the first
    // call that fails names its failure.
    function draw() {
        const text = line.value;
        const chosen = format.value;
        const plain = run(() => loftype.banner(text, { ...options, format: 'text' }));
        const other = chosen === 'text' ? plain : run(() => loftype.banner(text, { ...options, format: chosen }));
        banner.textContent = plain.text;
        banner.setAttribute('aria-label', text);
        setText(report, plain.report);
        setText(error, sentence(plain.error || other.error));
        shown = other.text;
        sourceLabel.textContent = chosen === 'html' ? 'HTML to paste' : 'Markdown to paste';
        source.textContent = chosen === 'text' ? '' : shown;
        source.hidden = sourceLabel.hidden = chosen === 'text';
        say('');
    }

    function fragment() {
        const params = new URLSearchParams({ text: line.value });
        for (const name in numbers) params.set(name, $(name).value);
        params.set('format', format.value);
        params.set('align', align.value);
        params.set('trim', trim.checked ? '1' : '0');
        params.set('prefix', prefix.value);
        return '#' + params.toString();
    }

    // A value that is not among a select's options falls back to the first, its default.
    function choose(select, value) {
        select.value = value;
        if (select.selectedIndex < 0) select.selectedIndex = 0;
    }

    function readFragment() {
        const params = new URLSearchParams(location.hash.slice(1));
        line.value = params.get('text') ?? '';
        for (const name in numbers) {
            $(name).value = params.get(name) ?? $(name).defaultValue;
            checkNumber(name);
        }
        choose(format, params.get('format') ?? 'text');
        choose(align, params.get('align') ?? 'left');
        trim.checked = params.get('trim') === '1';
        prefix.value = params.get('prefix') ?? '';
        readChoices();
        draw();
    }

    function changed(event) {
        if (event.target.id in numbers) checkNumber(event.target.id);
        else if (event.target !== line) readChoices();
        draw();
        history.replaceState(null, '', fragment());
    }

    // For browsers without the clipboard API or that refuse it: copy a selected, unseen text box.
    function copyBySelection(text) {
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
            $('copy').focus();
        }
    }

    async function copy() {
        if (error.textContent) {
            say(error.textContent);
            return;
        }
        let done = true;
        try {
            // Throws as well where there is no clipboard API (pages not in a secure context).
            await navigator.clipboard.writeText(shown);
        } catch {
            done = copyBySelection(shown);
        }
        say(done ? 'Copied.' : 'The browser did not let the page copy.');
    }

    function download() {
        const file = run(() => loftype.saveText(line.value, options)); // its layout options alone count
        const { name, error: refused } = file.error ? file : run(() => loftype.fileName(line.value));
        if (refused) {
            say(sentence(refused));
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

    const form = $('controls');
    form.addEventListener('input', changed);
    form.addEventListener('submit', (event) => event.preventDefault());
    $('copy').addEventListener('click', copy);
    $('download').addEventListener('click', download);
    addEventListener('hashchange', readFragment);
    readFragment();
    line.focus();
}

start().catch((failure) => {
    document.getElementById('error').textContent = `The page could not start: ${failure.message}`;
});
