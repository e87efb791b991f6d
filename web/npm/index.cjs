// @LOFTYPE_GLUE@

// The package's functions over the glue above (web/loftype.js), with the module carried
// as a string of its bytes, one character each (see make_package.cmake). The engine is
// made at the first call: loading the package only parses it.
const moduleText = '@LOFTYPE_MODULE@';

class BannerTooWideError extends Error {
    constructor(message, characters) {
        super(message);
        this.name = 'BannerTooWideError';
        this.characters = characters;
    }
}

class BannerMemoryError extends RangeError {
    constructor() {
        super('the banner of this line is larger than the memory that the WebAssembly module may use');
        this.name = 'BannerMemoryError';
    }
}

// The module's bytes: through Node's Buffer where there is one, else one by one.
function moduleBytes() {
    if (typeof Buffer === 'function') return Buffer.from(moduleText, 'latin1');
    const bytes = new Uint8Array(moduleText.length);
    for (let i = 0; i < moduleText.length; ++i) bytes[i] = moduleText.charCodeAt(i);
    return bytes;
}

// A banner of ASCII bytes made a string by Node's Buffer where there is one (see
// createLoftype in the glue); Latin-1 is ASCII's superset, the same bytes.
const glueOptions = typeof Buffer === 'function'
    ? { asciiText: (bytes) => Buffer.from(bytes.buffer, bytes.byteOffset, bytes.length).toString('latin1') }
    : {};

let engine;
let compiling;
const loftype = () => (engine ??= createLoftype(moduleBytes(), glueOptions));

const layoutOptions = ['spaces', 'lines', 'width', 'onOutsideFont'];
const bannerOptions = [...layoutOptions, 'format', 'align', 'trim', 'prefix', 'lineEnd', 'columns'];
const optionTypes = { trim: 'boolean', prefix: 'string', onOutsideFont: 'function' };
// Each layout number's reading and its range among the glue's limits.
const numbers = {
    spaces: { read: 'readSpacing', range: 'spacing' },
    lines: { read: 'readSpacing', range: 'spacing' },
    width: { read: 'readWidth', range: 'width' },
};

function checkLine(line, call) {
    if (typeof line !== 'string') throw new TypeError(`${call}: the line must be a string, not ${typeof line}`);
}

// Refuses an option that CALL does not have or a value of the wrong type.
function checkOptions(options, names, call) {
    for (const name of Object.keys(options)) {
        if (!names.includes(name)) throw new TypeError(`${call} has no option ${JSON.stringify(name)}; it has ${names.join(', ')}`);
        const type = optionTypes[name];
        if (type && options[name] !== undefined && typeof options[name] !== type) {
            throw new TypeError(`${name} must be a ${type}, not ${typeof options[name]}`);
        }
    }
}

// A layout number as h8 reads it: a whole number in its range as it is, anything else
// (a fraction, a numeric string) through h8's reading of option values.
function layoutNumber(options, name) {
    const value = options[name];
    const { read, range } = numbers[name];
    const { low, high } = loftype().limits[range];
    if (value === undefined || (Number.isInteger(value) && value >= low && value <= high)) return value;
    const number = typeof value === 'number' || typeof value === 'string' ? loftype()[read](String(value)) : null;
    if (number === null) {
        throw new RangeError(`${name} must be a number from ${low} to ${high} as h8 reads it, not ${typeof value === 'string' ? JSON.stringify(value) : String(value)}`);
    }
    return number;
}

// The options as the glue takes them: the object's own properties alone, each read
// once (an inherited one is no option), with the layout numbers read as h8 reads them.
function engineOptions(options, names, call) {
    if (typeof options !== 'object' || options === null) throw new TypeError(`${call}: options must be an object`);
    const own = { ...options };
    checkOptions(own, names, call);
    for (const name in numbers) own[name] = layoutNumber(own, name);
    return own;
}

// Tells the caller of the characters outside the font, then throws the call's failure.
function settle(result, options = {}) {
    if (result.report && options.onOutsideFont) options.onOutsideFont(result.report);
    if (result.failure === 'tooWide') throw new BannerTooWideError(result.error, result.characters);
    if (result.failure === 'memory') throw new BannerMemoryError();
    if (result.failure === 'nameTooLong') throw new RangeError(result.error);
    return result;
}

// The banner of the line as h8 --lf prints it (h8 --crlf with lineEnd '\r\n').
function banner(line, options = {}) {
    checkLine(line, 'banner');
    const own = engineOptions(options, bannerOptions, 'banner');
    return settle(loftype().banner(line, own), own).text;
}

// banner() as a promise. Its first call compiles the module asynchronously, which
// keeps a browser's main thread free; a compile that failed is forgotten, so that the
// next call tries again.
async function bannerAsync(line, options) {
    if (!engine) {
        compiling ??= WebAssembly.compile(moduleBytes())
            .then((compiled) => { engine ??= createLoftype(compiled, glueOptions); })
            .catch((error) => {
                compiling = undefined;
                throw error;
            });
        await compiling;
    }
    return banner(line, options);
}

// The bytes of the file that Save and h8 --save write for the line.
function saveText(line, options = {}) {
    checkLine(line, 'saveText');
    const own = engineOptions(options, layoutOptions, 'saveText');
    return settle(loftype().saveText(line, own), own).bytes;
}

// The name of that file, without its folder; a RangeError for a name longer than the
// file systems take.
function fileName(line) {
    checkLine(line, 'fileName');
    return settle(loftype().fileName(line)).name;
}

module.exports = { banner, bannerAsync, saveText, fileName, BannerTooWideError, BannerMemoryError };
