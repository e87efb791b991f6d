"use strict";

// The banner engine in WebAssembly, for JavaScript: createLoftype(bytes) instantiates
// the module synchronously and returns its functions. Text goes into the module as
// UTF-16 units and comes back as UTF-8 bytes.
function createLoftype(bytes) {
  const exports = new WebAssembly.Instance(new WebAssembly.Module(bytes), {}).exports;
  exports._initialize();
  exports.start();
  const utf8 = new TextDecoder();
  const formats = ["text", "markdown", "html"];
  const aligns = ["left", "center", "right"];
  const lineEnds = ["\n", "\r\n"];

  // Writes the texts one after the other into the input; returns the length of each.
  function put(...texts) {
    const units = texts.reduce((sum, text) => sum + text.length, 0);
    const start = exports.input(units); // may grow the memory: take its buffer after
    const view = new Uint16Array(exports.memory.buffer, start, units);
    let at = 0;
    for (const text of texts) {
      for (let i = 0; i < text.length; ++i) view[at++] = text.charCodeAt(i);
    }
    return texts.map((text) => text.length);
  }

  function bytesOf(name) {
    const size = exports[name + "_size"]();
    return new Uint8Array(exports.memory.buffer, exports[name + "_data"](), size);
  }
  const textOf = (name) => utf8.decode(bytesOf(name));

  function choice(value, names, fallback, option) {
    const index = names.indexOf(value === undefined ? fallback : value);
    if (index < 0) throw new RangeError(`${option} must be one of ${names.map((n) => JSON.stringify(n)).join(", ")}`);
    return index;
  }

  function number(value, fallback, low, high, option) {
    const n = value === undefined ? fallback : value;
    if (!Number.isInteger(n) || n < low || n > high) {
      throw new RangeError(`${option} must be a whole number from ${low} to ${high}`);
    }
    return n;
  }

  // The layout options as the module takes them: blanks and empty lines after each,
  // less one, and the page width (below 1: no limit).
  const layout = (o) => [
    number(o.spaces, 1, 0, 12, "spaces"),
    number(o.lines, 1, 0, 12, "lines"),
    number(o.width, -1, -32768, 32767, "width"),
  ];

  const results = (status) => ({ report: textOf("report"), error: status === 0 ? "" : textOf("message") });

  return {
    // The banner as h8 prints it, with the line's characters outside the font named
    // in report and a line too wide to enlarge refused in error.
    banner(line, options = {}) {
      const [length] = put(String(line), String(options.prefix ?? ""));
      const status = exports.banner(
        length,
        ...layout(options),
        choice(options.format, formats, "text", "format"),
        choice(options.align, aligns, "left", "align"),
        options.trim ? 1 : 0,
        choice(options.lineEnd, lineEnds, "\n", "lineEnd"),
      );
      return { text: status === 0 ? textOf("output") : "", ...results(status) };
    },

    // The name and the bytes of the file that Save writes for the line.
    saveFile(line, options = {}) {
      const [length] = put(String(line));
      exports.file_name(length);
      const name = textOf("output");
      const status = exports.save_text(length, ...layout(options));
      return { name, bytes: status === 0 ? bytesOf("output").slice() : new Uint8Array(), ...results(status) };
    },

    // A spacing value as h8 takes it (0 to 12), or null.
    readSpacing(text) {
      const value = exports.read_spacing(put(String(text))[0]);
      return value < 0 ? null : value;
    },

    // A page width as h8 takes it (-32768 to 32767), or null.
    readWidth(text) {
      const value = exports.read_width(put(String(text))[0]);
      return value > 32767 ? null : value;
    },

    // Gives back the memory that a long line took.
    release() {
      exports.release();
    },
  };
}
