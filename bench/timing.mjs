// What the web benchmarks share: timing, the line of prose they enlarge, and the native
// engine's time for it from build/bench/engine_bench (ENGINE_BENCH names another).
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { root } from '../tests/web/h8.mjs';

export const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
export const ms = (value) => `${value.toFixed(2)} ms`;

export const timed = (run) => {
    const start = process.hrtime.bigint();
    run();
    return Number(process.hrtime.bigint() - start) / 1e6;
};

// The median time of RUN, after one run to warm it.
export const medianTime = (run, repetitions) => {
    run();
    return median(Array.from({ length: repetitions }, () => timed(run)));
};

export const prose = (length) => 'The quick brown fox jumps over the lazy dog 0123456789. '.repeat(Math.ceil(length / 56)).slice(0, length);

// The median of engine_bench's case NAME in milliseconds, or null where it is not built.
export function engineBenchTime(name) {
    const engineBench = path.resolve(process.env.ENGINE_BENCH ?? path.join(root, 'build/bench/engine_bench'));
    if (!fs.existsSync(engineBench)) return null;
    const args = [`--benchmark_filter=^${name}$`, '--benchmark_repetitions=10',
        '--benchmark_format=json', '--benchmark_time_unit=ms'];
    const { benchmarks } = JSON.parse(spawnSync(engineBench, args, { encoding: 'utf8', maxBuffer: 1 << 26 }).stdout);
    return benchmarks.find((b) => b.aggregate_name === 'median').real_time;
}
