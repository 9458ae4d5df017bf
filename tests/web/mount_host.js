// Under node: the host's file system at /host, so that a test program can write
// files the test then reads.
Module['preRun'] = (Module['preRun'] || []).concat(function () {
  if (typeof process === 'object' && process.versions && process.versions.node) {
    FS.mkdir('/host');
    FS.mount(NODEFS, { root: '/' }, '/host');
  }
});
