#!/usr/bin/env node
'use strict';
// loftype WORD ...: prints the banner of the words joined by blanks, as h8 --lf does
// with its default options. Every argument is a word; there are no options.
const fs = require('node:fs');
const os = require('node:os');
const util = require('node:util');
const { banner, BannerMemoryError, BannerTooWideError } = require('./index.cjs');

const words = process.argv.slice(2);
const say = (message) => process.stderr.write(`loftype: ${message}\n`);
if (words.length === 0) {
    say('usage: loftype WORD ... (prints the banner of the words, as h8 does)');
    process.exit(2);
}

// A failed write to standard output, as h8 reports it: a reader gone (EPIPE) ends the
// command quietly with the status that a shell gives h8 ended by SIGPIPE (128 + 13);
// any other error is one line and status 1.
function writeFailed(errno) {
    if (errno === -os.constants.errno.EPIPE) {
        process.exitCode = 141;
        return;
    }
    const reason = util.getSystemErrorMap().get(errno)?.[1] ?? `error ${errno}`;
    say(`cannot write to standard output: ${reason[0].toUpperCase()}${reason.slice(1)}`);
    process.exitCode = 1;
}

// Node puts /dev/null, open for reading and writing, in place of a standard stream that
// was closed when it started, where h8 would find none; a shell's >/dev/null opens it
// for writing only. Linux shows how a descriptor was opened (its access mode is the
// flags' two low bits); elsewhere this tells nothing.
function outputWasClosed() {
    try {
        const flags = Number.parseInt(/^flags:\s*([0-7]+)/m.exec(fs.readFileSync('/proc/self/fdinfo/1', 'utf8'))[1], 8);
        return (flags & 3) === fs.constants.O_RDWR && fs.readlinkSync('/proc/self/fd/1') === '/dev/null';
    } catch {
        return false;
    }
}

let text;
try {
    text = banner(words.join(' '), { onOutsideFont: say });
} catch (error) {
    if (!(error instanceof BannerTooWideError || error instanceof BannerMemoryError)) throw error;
    say(error.message);
    process.exitCode = 1;
}
if (text !== undefined) {
    if (outputWasClosed()) {
        writeFailed(-os.constants.errno.EBADF);
    } else {
        process.stdout.on('error', (error) => writeFailed(error.errno));
        process.stdout.write(text);
    }
}
