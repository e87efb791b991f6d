#!/usr/bin/env node
'use strict';
// loftype WORD ...: prints the banner of the words joined by blanks, as h8 --lf does
// with its default options. Every argument is a word; there are no options.
const { banner, BannerMemoryError, BannerTooWideError } = require('./index.cjs');

const words = process.argv.slice(2);
const say = (message) => process.stderr.write(`loftype: ${message}\n`);
if (words.length === 0) {
    say('usage: loftype WORD ... (prints the banner of the words, as h8 does)');
    process.exit(2);
}
try {
    process.stdout.write(banner(words.join(' '), { onOutsideFont: say }));
} catch (error) {
    if (!(error instanceof BannerTooWideError || error instanceof BannerMemoryError)) throw error;
    say(error.message);
    process.exitCode = 1;
}
