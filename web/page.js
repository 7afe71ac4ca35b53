// The page around the game: loading, the start (a click or a key, which also unlocks sound),
// the picture's size, full screen, the keys the browser keeps, and the end of a run.
'use strict';

(function () {
  var canvas = document.getElementById('canvas');
  var stage = document.getElementById('stage');
  var cover = document.getElementById('cover');
  var statusText = document.getElementById('status');
  var barFill = document.getElementById('bar-fill');
  var WIDTH = 800, HEIGHT = 600;
  var query = new URLSearchParams(location.search);
  var develop = query.has('develop');

  // The picture as large as the page allows, aspect kept: a whole-number scale when it keeps at
  // least 80 % of the largest fit (every pixel the same size), the largest fit otherwise.
  function fitPicture() {
    var room = stage.getBoundingClientRect();
    var ratio = window.devicePixelRatio || 1;
    var fit = Math.min(room.width / WIDTH, room.height / HEIGHT) * ratio;
    var whole = Math.floor(fit);
    var scale = whole >= 1 && whole >= 0.8 * fit ? whole : fit;
    canvas.style.width = (WIDTH * scale / ratio) + 'px';
    canvas.style.height = (HEIGHT * scale / ratio) + 'px';
  }
  window.addEventListener('resize', fitPicture);
  document.addEventListener('fullscreenchange', fitPicture);
  fitPicture();

  function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (stage.requestFullscreen) stage.requestFullscreen().catch(function () {});
    canvas.focus();
  }
  var button = document.getElementById('fullscreen');
  button.addEventListener('mousedown', function (e) { e.preventDefault(); });
  button.addEventListener('click', toggleFullScreen);

  // Keys the game does not need stay the browser's: reloading, closing and switching tabs,
  // zooming, the developer tools, full screen. Alt+Enter is the page's full screen.
  function browserKeeps(e) {
    if (e.metaKey) return true;
    if (e.key === 'F11' || e.key === 'F12') return true;
    if (e.key === 'F5' && !develop) return true;
    if (e.ctrlKey && /^(Key[RWTNLQ]|Tab|PageUp|PageDown|Digit[0-9]|Equal|Minus)$/.test(e.code))
      return true;
    return false;
  }
  function onKey(e) {
    if (e.type === 'keydown' && e.altKey && e.key === 'Enter') {
      e.preventDefault();
      e.stopImmediatePropagation();
      if (!e.repeat) toggleFullScreen();
      return;
    }
    if (browserKeeps(e)) e.stopImmediatePropagation();
  }
  // Registered before the game's own handlers, so they never see what the browser keeps.
  window.addEventListener('keydown', onKey, true);
  window.addEventListener('keyup', onKey, true);
  canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });

  function showStatus(text, fraction) {
    statusText.textContent = text;
    if (fraction !== undefined) barFill.style.width = Math.round(fraction * 100) + '%';
  }

  // Pass timing, for the page's own checks: when each pass began and how long it took.
  var passStarts = [], passTimes = [], passBegan = 0;
  var MAX_PASSES = 4000;

  function commandLine() {
    var words = [];
    if (query.has('extra')) words.push('EXTRA');
    if (develop) words.push('DEVELOP');
    // The page gives the game an 800 x 600 window and scales the canvas itself.
    words.push('--window');
    return words;
  }

  var started = false;
  function start() {
    if (started) return;
    started = true;
    window.piboStartedAt = performance.now();
    window.removeEventListener('keydown', startOnKey, true);
    cover.classList.add('hidden');
    canvas.focus();
    Module.callMain(commandLine());
    setInterval(nameTab, 1000);
  }
  function startOnKey(e) {
    if (browserKeeps(e) || e.key === 'Alt' || e.key === 'Control' || e.key === 'Shift') return;
    e.preventDefault();
    e.stopImmediatePropagation();
    start();
  }

  // A page can go at any moment (a closed tab, a reload): when it is hidden, the game saves what
  // its normal end would, and the files go to the browser's storage.
  function saveNow() {
    if (started && Module._pibo_save_now) Module._pibo_save_now();
  }
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden') saveNow();
  });
  window.addEventListener('pagehide', saveNow);

  function nameTab() {
    var status = JSON.parse(Module.UTF8ToString(Module._pibo_status()));
    document.title = status.playing ? 'Pibo II – level ' + status.level : 'Pibo II';
  }

  window.Module = {
    canvas: canvas,
    setStatus: function (text) {
      var m = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || '');
      if (m) showStatus('Loading the game…', Number(m[1]) / Number(m[2]));
      else if (text) showStatus(text);
    },
    preMainLoop: function () {
      passBegan = performance.now();
      passStarts.push(passBegan);
      if (passStarts.length > MAX_PASSES) passStarts.shift();
    },
    postMainLoop: function () {
      passTimes.push(performance.now() - passBegan);
      if (passTimes.length > MAX_PASSES) passTimes.shift();
    },
    onRuntimeInitialized: function () {
      window.piboReadyAt = performance.now();
      showStatus('Click or press a key to play', 1);
      cover.addEventListener('click', start);
      window.addEventListener('keydown', startOnKey, true);
    },
    onGameEnd: function (status) {
      cover.classList.remove('hidden');
      document.getElementById('bar').style.display = 'none';
      showStatus(status === 0 ? 'Thanks for playing! Click to play again.'
                              : 'The game stopped after an error. Click to start again.');
      cover.addEventListener('click', function () { location.reload(); });
    },
    onFilesStored: function () {
      window.piboStoredFiles = (window.piboStoredFiles || 0) + 1;
    },
    printErr: function (text) { console.error(text); },
  };

  // For tests and the curious: the passes so far.
  window.piboPasses = function () {
    return { starts: passStarts.slice(), times: passTimes.slice() };
  };
})();
