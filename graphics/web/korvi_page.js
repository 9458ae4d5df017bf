// The page's side of the web backend (linked with --js-library): the canvases of
// the graphics window and of dialogs, and their events passed to the program as
// the windowing system's events (page_bridge.cpp).
mergeInto(LibraryManager.library, {
  $KorviPage: {
    canvases: {},
    // The keys with names, in the order page_bridge.cpp maps them (from 1).
    NAMED_KEYS: ['Enter', 'Escape', 'Backspace', 'Tab', 'ArrowUp', 'ArrowDown', 'ArrowLeft',
                 'ArrowRight', 'Home', 'End', 'PageUp', 'PageDown', 'Insert', 'Delete',
                 'F1', 'F2', 'F3', 'F4', 'F5', 'F6', 'F7', 'F8', 'F9', 'F10', 'F11', 'F12'],
    live: function() { return !Module['korviEnded']; },
    modifiers: function(e) {
      return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0) |
             (e.metaKey ? 8 : 0) |
             (e.getModifierState && e.getModifierState('NumLock') ? 16 : 0) |
             (e.repeat ? 32 : 0);
    },
    // A key for the window or dialog id; false when the page keeps it.
    key: function(id, e) {
      if (!KorviPage.live()) return false;
      var named = KorviPage.NAMED_KEYS.indexOf(e.key) + 1;
      var codePoint = 0;
      if (named == 0) {
        if (Array.from(e.key).length != 1) return false;  // modifiers, dead keys
        codePoint = e.key.codePointAt(0);
      }
      Module['_korvi_web_key'](id, named, codePoint, KorviPage.modifiers(e));
      return true;
    },
    // The window or dialog the keyboard's keys go to: the dialog that shows, else
    // the window that has the focus (or, with the focus on the page itself, the
    // page's graphics window).
    keyTarget: function(e) {
      var target = null;
      for (var id in KorviPage.canvases) {
        var c = KorviPage.canvases[id];
        if (c.dialog) return c;
        if (!target && (e.target === c.canvas || e.target === document.body)) target = c;
      }
      return target;
    },
    onKeyDown: function(e) {
      var target = KorviPage.keyTarget(e);
      if (target && KorviPage.key(target.id, e)) e.preventDefault();
    },
    position: function(c, e) {
      var box = c.canvas.getBoundingClientRect();
      // CSS pixels of the canvas are the program's pixels.
      return [Math.floor((e.clientX - box.left) * c.width / box.width),
              Math.floor((e.clientY - box.top) * c.height / box.height)];
    },
    mouse: function(c, kind, e, notches) {
      if (!KorviPage.live()) return;
      var p = KorviPage.position(c, e);
      Module['_korvi_web_mouse'](c.id, kind, e.button || 0, p[0], p[1], e.detail || 1,
                                 notches || 0, KorviPage.modifiers(e));
    },
    listen: function(c) {
      var canvas = c.canvas;
      canvas.addEventListener('pointerdown', function(e) {
        canvas.setPointerCapture(e.pointerId);
      });
      canvas.addEventListener('mousedown', function(e) {
        canvas.focus();
        KorviPage.mouse(c, 1, e);
        e.preventDefault();
      });
      canvas.addEventListener('mouseup', function(e) { KorviPage.mouse(c, 2, e); });
      canvas.addEventListener('mousemove', function(e) { KorviPage.mouse(c, 0, e); });
      canvas.addEventListener('wheel', function(e) {
        var notches = e.deltaY < 0 ? 1 : e.deltaY > 0 ? -1 : 0;
        if (notches) KorviPage.mouse(c, 3, e, notches);
        e.preventDefault();
      }, {passive: false});
      canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
    },
    size: function(c, width, height, scale) {
      c.width = width;
      c.height = height;
      c.canvas.width = width * scale;
      c.canvas.height = height * scale;
      c.canvas.style.width = width + 'px';
      c.canvas.style.height = height + 'px';
    },
  },

  korvi_page_open_canvas__deps: ['$KorviPage'],
  korvi_page_open_canvas: function(id, width, height, scale, title, isDialog) {
    if (!KorviPage.listening) {
      KorviPage.listening = true;
      document.addEventListener('keydown', KorviPage.onKeyDown);
    }
    var screen = document.getElementById('korvi-screen') || document.body;
    var canvas = document.createElement('canvas');
    canvas.tabIndex = 0;
    canvas.className = isDialog ? 'korvi-dialog-canvas' : 'korvi-window';
    canvas.style.imageRendering = 'pixelated';
    canvas.style.outline = 'none';
    var c = {id: id, canvas: canvas, ctx: null, dialog: !!isDialog, frame: null};
    KorviPage.size(c, width, height, scale);
    if (isDialog) {
      // A box above the page, centred on the graphics window (or the window).
      var frame = document.createElement('div');
      frame.className = 'korvi-dialog';
      frame.style.cssText = 'position:fixed;left:50%;top:50%;transform:translate(-50%,-50%);' +
          'border:1px solid #666;background:#ddd;box-shadow:0 4px 16px rgba(0,0,0,.4);z-index:10';
      var bar = document.createElement('div');
      bar.textContent = UTF8ToString(title);
      bar.style.cssText = 'font:13px sans-serif;padding:3px 6px;background:#4a6ea9;color:#fff';
      frame.appendChild(bar);
      frame.appendChild(canvas);
      document.body.appendChild(frame);
      c.frame = frame;
    } else {
      // One graphics window at a time: a new one takes the old one's place.
      var old = screen.querySelectorAll('canvas.korvi-window');
      for (var i = 0; i < old.length; i++) old[i].remove();
      screen.appendChild(canvas);
      if (Module['korviWindowOpened']) Module['korviWindowOpened'](canvas);
    }
    c.ctx = canvas.getContext('2d');
    KorviPage.listen(c);
    KorviPage.canvases[id] = c;
    canvas.focus();
  },

  korvi_page_close_canvas__deps: ['$KorviPage'],
  korvi_page_close_canvas: function(id) {
    var c = KorviPage.canvases[id];
    if (!c) return;
    delete KorviPage.canvases[id];
    // A window's last picture stays on the page; a dialog goes.
    if (c.frame) c.frame.remove();
    else c.canvas.classList.add('korvi-closed');
  },

  korvi_page_resize_canvas__deps: ['$KorviPage'],
  korvi_page_resize_canvas: function(id, width, height, scale) {
    var c = KorviPage.canvases[id];
    if (c) KorviPage.size(c, width, height, scale);
  },

  korvi_page_put_pixels__deps: ['$KorviPage'],
  korvi_page_put_pixels: function(id, rgba, width, height) {
    var c = KorviPage.canvases[id];
    if (!c) return;
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    c.ctx.putImageData(new ImageData(bytes, width, height), 0, 0);
    Module['korviFrames'] = (Module['korviFrames'] || 0) + 1;
    if (!Module['korviFirstPicture']) Module['korviFirstPicture'] = performance.now();
  },

  korvi_page_request_frame__deps: ['$KorviPage'],
  korvi_page_request_frame: function(id) {
    requestAnimationFrame(function() {
      if (KorviPage.live() && KorviPage.canvases[id]) Module['_korvi_web_present'](id);
    });
  },

  korvi_page_focus__deps: ['$KorviPage'],
  korvi_page_focus: function(id) {
    var c = KorviPage.canvases[id];
    if (c) c.canvas.focus();
  },

  korvi_page_scale: function() {
    var asked = new URLSearchParams(location.search).get('scale');
    var scale = asked ? parseInt(asked, 10) : Math.round(window.devicePixelRatio || 1);
    return Math.max(1, Math.min(4, scale || 1));
  },

  korvi_page_program_name: function(buffer, size) {
    var name = String(Module['thisProgram'] || 'korvi').replace(/^.*\//, '').replace(/\..*$/, '');
    stringToUTF8(name, buffer, size);
    return Math.min(lengthBytesUTF8(name), size - 1);
  },

  korvi_page_set_clipboard: function(text) {
    try {
      navigator.clipboard.writeText(UTF8ToString(text));
    } catch (e) {
    }
  },

  korvi_page_now_ms: function() { return performance.now(); },
});
