// Debian's Chromium through playwright-core, with the flags that keep it off the network.
import { createRequire } from 'node:module';

const { chromium } = createRequire(import.meta.url)('playwright-core');

export function launchBrowser() {
    return chromium.launch({
        executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync'],
    });
}
