// A small seeded generator (mulberry32), so that every generated case can be made again
// from the seed that the test prints; and the lines, prefixes and number texts that
// the generated cases draw from.
export function generator(seed) {
    let state = seed >>> 0;
    const next = () => {
        state = (state + 0x6d2b79f5) >>> 0;
        let t = state;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 2 ** 32;
    };
    const int = (low, high) => low + Math.floor(next() * (high - low + 1));
    const pick = (items) => items[int(0, items.length - 1)];
    const chance = (p) => next() < p;
    const string = (length, chars) => Array.from({ length }, () => pick(chars)).join('');
    return { next, int, pick, chance, string };
}

export const seed = Number(process.env.LOFTYPE_SEED ?? 20261210);

// A case as a failure shows it: JSON, with long strings cut to their start and length.
export const brief = (value) => JSON.stringify(value, (_, v) => (typeof v === 'string' && v.length > 80 ? `${v.slice(0, 60)}…(${v.length})` : v));

export const inFont = [...'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!"#$%&\'()*+,-./:;<=>?@[\\]^_{|}~     '];
export const outsideFont = ['é', 'ß', 'Ω', '中', '😀', '\t', '€', '—'];
export const prefixes = ['', '', '', '# ', '// ', '> ', '¶ ', '<b>&amp;', '😀 ', '-x ', '\t'];

// A line of up to 60 characters, now and then up to 1,000, a random share of them
// outside the font.
export function generatedLine(random) {
    const length = random.chance(0.9) ? random.int(0, 60) : random.int(61, 1000);
    const outside = random.next() * 0.3;
    return Array.from({ length }, () => random.pick(random.next() < outside ? outsideFont : inFont)).join('');
}

// N as one of the texts other than String(N) that h8 reads as N.
export const numberText = (random, n) => random.pick([` ${n} `, `${n}.0`, `${n}e0`, n < 0 ? `${n}` : `+${n}`]);

// Lines too wide to enlarge, HEAD × 0..MOST + BODY × FEWEST..BODIES: too wide a banner
// even at spaces 1, or more than 32,767 characters (UTF-16 units).
export const overflowing = [
    ['', 0, 'W', 2000, 4000],
    ['Mixed up ', 50, 'MW', 1100, 1500],
    ['', 0, 'i', 32768, 33000],
    ['W', 100, 'The quick brown fox ', 1639, 1700],
    ['é', 20, '😀中é', 8192, 8500],
];

// One of those lines.
export function overflowingLine(random) {
    const [head, most, body, fewest, bodies] = random.pick(overflowing);
    return head.repeat(random.int(0, most)) + body.repeat(random.int(fewest, bodies));
}
