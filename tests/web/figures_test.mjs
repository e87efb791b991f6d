// The sizes that docs/figures.md gives for the page, its module and the packed package
// are the build's (within 2 %, for the small changes between two measurements), and
// within the targets that it sets.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import zlib from 'node:zlib';
import { packagePath, pagePath, root, wasmPath } from './h8.mjs';

const figures = fs.readFileSync(path.join(root, 'docs/figures.md'), 'utf8');
const number = (text) => Number(text.replaceAll(',', ''));
const sizes = (file) => {
    const bytes = fs.readFileSync(file);
    return { bytes: bytes.length, gzipped: zlib.gzipSync(bytes, { level: 9 }).length };
};

// Each row: the start of its first cell, what is measured, and how its figure and target read.
const rows = [
    ['| `loftype.html`', pagePath, /^([\d,]+) bytes, ([\d,]+) gzipped/, /^at most (\d+) KB, (\d+) KB gzipped/],
    ['| `loftype.html`', wasmPath, /the module ([\d,]+) bytes \(([\d,]+) gzipped\)/, null],
    ['| the npm package, packed', packagePath, /^([\d,]+) bytes/, /^at most (\d+) KB/],
];

test('docs/figures.md gives the sizes of the page, the module and the package as built', () => {
    for (const [start, file, figure, target] of rows) {
        const row = figures.split('\n').find((line) => line.startsWith(start));
        assert.ok(row, `docs/figures.md has no row "${start}"`);
        const [, shown, goal] = row.split(' | ');
        const built = sizes(file);
        const measured = [built.bytes, built.gzipped];
        const written = figure.exec(shown)?.slice(1).map(number);
        assert.ok(written, `the row "${start}" gives no size as ${figure}`);
        written.forEach((size, i) => assert.ok(Math.abs(size - measured[i]) <= measured[i] * 0.02,
            `${path.basename(file)}: docs/figures.md says ${size}, the build makes ${measured[i]}`));
        if (!target) continue;
        const goals = target.exec(goal)?.slice(1);
        assert.ok(goals, `the row "${start}" gives no target as ${target}`);
        goals.forEach((kb, i) => assert.ok(measured[i] <= number(kb) * 1024,
            `${path.basename(file)}: ${measured[i]} bytes, more than the target of ${kb} KB`));
    }
});
