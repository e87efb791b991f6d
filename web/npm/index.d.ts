// Loftype's banners: each character a figure eight rows high, drawn with copies of itself.

/** The options that shape the page, as h8's -s, -l and -w and the desktop program's Options. */
export interface LayoutOptions {
    /** Blanks after each large character, less one: 0 to 12 (h8's -s); default 1. */
    spaces?: number | string;
    /** Empty lines after each band, less one: 0 to 12 (h8's -l); default 1. */
    lines?: number | string;
    /** Page width in small characters, -32768 to 32767 (h8's -w); below 1, the default -1, no limit. */
    width?: number | string;
    /** Called with h8's clause, "not in the font: ...", when the line has characters outside the font. */
    onOutsideFont?: (message: string) => void;
}

/** The layout and the output form, as h8's options of the same names. */
export interface BannerOptions extends LayoutOptions {
    format?: 'text' | 'markdown' | 'html';
    /** Where each band stands within the page width. */
    align?: 'left' | 'center' | 'right';
    /** No blanks at the end of any line. */
    trim?: boolean;
    /** The start of every line, such as "# ". */
    prefix?: string;
    /** "\n" (the default, as h8 --lf) or "\r\n" (as Copy and h8 --crlf). */
    lineEnd?: '\n' | '\r\n';
    /** Bands that fit so many columns, the blanks after each character counted, each placed within them, as h8 fits a terminal's (such as process.stdout.columns); width then counts for nothing. A whole number, at most 32767; 0, the default, none. */
    columns?: number;
}

/** The banner of the line, as h8 prints it with the same options. */
export declare function banner(line: string, options?: BannerOptions): string;
/** banner() as a promise; the first call compiles the module without blocking. */
export declare function bannerAsync(line: string, options?: BannerOptions): Promise<string>;
/** The bytes of the file that Save and h8 --save write for the line (CR LF). */
export declare function saveText(line: string, options?: LayoutOptions): Uint8Array;
/** The name of that file, without its folder: "Hello.txt". Throws a RangeError for a name of more than 255 bytes of UTF-8, where h8 --save fails with "File name too long". */
export declare function fileName(line: string): string;

/** The line cannot be enlarged: its banner would pass the 16-bit limits. */
export declare class BannerTooWideError extends Error {
    constructor(message: string, characters: number);
    readonly name: 'BannerTooWideError';
    /** The line's length in characters, as h8 counts them: a surrogate pair is one. */
    readonly characters: number;
}

/** The banner is larger than the memory that the WebAssembly module may use, or than a string may be. */
export declare class BannerMemoryError extends RangeError {
    readonly name: 'BannerMemoryError';
}
