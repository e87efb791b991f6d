// A small seeded generator (mulberry32), so that every generated case can be made again
// from the seed that the test prints.
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
