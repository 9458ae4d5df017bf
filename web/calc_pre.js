// Before the calculator starts (linked with --pre-js): its working folder is the
// browser's storage (IndexedDB), read back from an earlier visit, so that input.txt
// and bianliang.txt, and with them "his" and "who", survive a reload; and what it
// writes goes to the page's console as it comes, prompts included (the page calls
// Module.korviWrite with the text).
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function() {
  FS.mkdir('/calc');
  FS.mount(IDBFS, {}, '/calc');
  FS.chdir('/calc');
  addRunDependency('korvi-calc-files');
  FS.syncfs(true, function(error) {
    if (error) err('calc: cannot read the files kept in the browser: ' + error);
    removeRunDependency('korvi-calc-files');
  });
  var decoders = [new TextDecoder('utf-8'), new TextDecoder('utf-8')];
  function writer(which) {
    return function(byte) {
      if (byte === null) return;
      var text = decoders[which].decode(new Uint8Array([byte & 255]), {stream: true});
      if (text) Module['korviWrite'](text, which == 1);
    };
  }
  FS.init(function() { return null; }, writer(0), writer(1));
});
