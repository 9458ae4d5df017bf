// The calculator page's console as the program sees it (linked with --js-library):
// the lines typed, the recall list, saving the files. calc.html keeps the lines in
// Module.korviLines and shows the recall list's lines with the arrow keys.
mergeInto(LibraryManager.library, {
  korvi_console_line_length: function() {
    var lines = Module['korviLines'];
    return lines && lines.length ? lengthBytesUTF8(lines[0]) : -1;
  },
  korvi_console_take_line: function(buffer, size) {
    stringToUTF8(Module['korviLines'].shift(), buffer, size);
  },
  korvi_console_add_recall: function(line) {
    var recall = Module['korviRecall'] = Module['korviRecall'] || [];
    recall.push(UTF8ToString(line));
  },
  korvi_console_save_files: function() {
    FS.syncfs(false, function(error) {
      if (error) err('calc: cannot save input.txt and bianliang.txt in the browser: ' + error);
    });
  },
});
