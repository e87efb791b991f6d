'use strict';
// The CommonJS entry as index.mjs imports it. Node scans the source of a CommonJS file
// that an ECMAScript module imports for the names of its exports, which takes some
// milliseconds for index.cjs; it does not scan this one's, nor what this one requires.
const loftype = require('./index.cjs');

module.exports = loftype;
