// The entry for ECMAScript modules: the CommonJS entry's functions and classes, so that
// both entries share one engine and one BannerTooWideError.
import loftype from './esm.cjs';

export const { banner, bannerAsync, saveText, fileName, BannerTooWideError, BannerMemoryError } = loftype;
