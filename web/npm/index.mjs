// The entry for ECMAScript modules: the CommonJS entry's functions and classes, so that
// both entries share one engine and one BannerTooWideError, and as its default export
// the CommonJS entry itself, which the types (index.d.ts, a CommonJS module's) give a
// default import.
import loftype from './esm.cjs';

export const { banner, bannerAsync, saveText, fileName, BannerTooWideError, BannerMemoryError } = loftype;
export default loftype;
