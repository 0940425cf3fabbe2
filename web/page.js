// The page around the game: loads the WebAssembly with a progress bar, waits for a click or a key
// (browsers let sound start only after one), starts the game in the mode the address asks for or
// the one that fits, keeps the canvas at the mode's shape, and carries the recordings in and out.
(() => {
  'use strict';

  // The output modes' words and sizes, as the game's mode table has them.
  const MODES = { og: [960, 720], hd720: [1280, 720], hd1080: [1920, 1080], hd4k: [3840, 2160] };
  const RECORDING = '/run.vrep';   // where the game writes the run it records
  const REPLAY = '/replay.vrep';   // where a recording to play back is put

  const $ = (id) => document.getElementById(id);
  const stage = $('stage');
  const screenBox = $('screen');
  const canvas = $('canvas');

  // `?mode=word` chooses; otherwise the largest pixel-art mode whose picture fits the page unscaled.
  function chosenMode() {
    const asked = new URLSearchParams(location.search).get('mode');
    if (asked in MODES) return asked;
    const ratio = window.devicePixelRatio || 1;
    const [w, h] = MODES.hd1080;
    return stage.clientWidth * ratio >= w && stage.clientHeight * ratio >= h ? 'hd1080' : 'hd720';
  }
  const mode = chosenMode();
  const [gameWidth, gameHeight] = MODES[mode];
  canvas.width = gameWidth;
  canvas.height = gameHeight;
  screenBox.style.setProperty('--shape', `${gameWidth} / ${gameHeight}`);

  // The largest box of the mode's shape in the free area; the browser scales the picture into it
  // pixel by pixel (image-rendering: pixelated), so pixel art stays crisp at any size.
  function fitScreen() {
    const scale = Math.min(stage.clientWidth / gameWidth, stage.clientHeight / gameHeight);
    screenBox.style.width = `${Math.floor(gameWidth * scale)}px`;
    screenBox.style.height = `${Math.floor(gameHeight * scale)}px`;
  }
  fitScreen();
  window.addEventListener('resize', fitScreen);

  // --- Fullscreen: the button and F11 (which the browser would otherwise take for its own) ---------
  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else screenBox.requestFullscreen().catch((error) => console.info(`fullscreen refused: ${error.message}`));
  }
  $('fullscreen').addEventListener('click', () => { toggleFullscreen(); canvas.focus(); });
  window.addEventListener('keydown', (event) => {
    if (event.key !== 'F11') return;
    event.preventDefault();
    event.stopImmediatePropagation();  // the game's own F11 would resize its window
    toggleFullscreen();
  }, true);

  // --- Loading: the module's .wasm fetched here so that its bytes can move the bar ----------------
  const progress = $('progress');
  const loadingText = $('loading-text');
  function showProgress(fraction, text) {
    progress.style.width = `${Math.round(Math.min(Math.max(fraction, 0), 1) * 100)}%`;
    if (text) loadingText.textContent = text;
  }
  function fail(text) {
    loadingText.textContent = text;
    $('loading').hidden = false;
    $('cover').hidden = true;
    console.error(text);
  }

  // The bytes of `url`, moving the bar as they arrive.
  function fetchWithProgress(url) {
    return new Promise((resolve, reject) => {
      const request = new XMLHttpRequest();
      request.open('GET', url);
      request.responseType = 'arraybuffer';
      request.onprogress = (event) => {
        if (!event.lengthComputable) return;
        const mb = (bytes) => (bytes / 1e6).toFixed(1);
        showProgress(event.loaded / event.total, `Loading… ${mb(event.loaded)} of ${mb(event.total)} MB`);
      };
      request.onload = () => (request.status === 200
        ? resolve(request.response)
        : reject(new Error(`${url}: ${request.status} ${request.statusText}`)));
      request.onerror = () => reject(new Error(`${url}: the network failed`));
      request.send();
    });
  }

  let started = false;
  let ended = false;
  const game = {
    canvas,
    noInitialRun: true,
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    instantiateWasm(imports, receive) {
      fetchWithProgress('ventora.wasm')
        .then((bytes) => { showProgress(1, 'Starting…'); return WebAssembly.instantiate(bytes, imports); })
        .then((result) => receive(result.instance, result.module))
        .catch((error) => fail(`The game could not load: ${error.message}`));
      return {};
    },
    onRuntimeInitialized() {
      $('loading').hidden = true;
      $('cover').hidden = false;
      $('cover').focus();
    },
    onAbort: (what) => fail(`The game stopped: ${what}`),
    // The game hands a finished recording over; it downloads as a .vrep file.
    ventoraRecordingDone(path) {
      const bytes = game.FS.readFile(path);
      const stamp = new Date().toISOString().replace(/[:.]/g, '-').slice(0, 19);
      download(new Blob([bytes], { type: 'application/octet-stream' }), `ventora-${stamp}.vrep`);
    },
    // The game has quit, or a recording has played to its end: the cover offers a new game, which
    // is a new page (the module runs its main once).
    ventoraGameEnded() {
      ended = true;
      $('cover').textContent = 'Click to play again';
      $('cover').hidden = false;
      $('cover').focus();
    },
    // The game asks for its music once its first frame is up: each file lands at /music/<name>,
    // then `done(name)` or, for one that did not arrive, `failed(name, reason)` is called.
    ventoraFetchMusic(names, done, failed) {
      game.FS.mkdirTree('/music');
      for (const name of names) {
        fetch(`music/${name}`)
          .then((response) => {
            if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
            return response.arrayBuffer();
          })
          .then((bytes) => { game.FS.writeFile(`/music/${name}`, new Uint8Array(bytes)); done(name); })
          .catch((error) => failed(name, error.message));
      }
    },
  };
  window.Module = game;  // the loader finds it by this name and adds callMain, FS, ccall

  function download(blob, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  // --- Starting: the cover's click or the first key; a recording to play back starts it too --------
  function start(extra = []) {
    if (started) return;
    started = true;
    $('cover').hidden = true;
    const record = $('record');
    const args = ['--mode', mode];
    if (record.checked && extra.length === 0) args.push('--record', RECORDING);
    record.disabled = true;
    canvas.focus();
    game.callMain(args.concat(extra));
  }
  const startOrReload = () => (ended ? location.reload() : start());
  $('cover').addEventListener('click', startOrReload);
  $('cover').addEventListener('keydown', (event) => {
    if (event.key === 'F11') return;
    event.preventDefault();
    startOrReload();
  });

  async function playRecording(file) {
    if (!file) return;
    if (!file.name.endsWith('.vrep')) {
      console.info(`not a recording: ${file.name}`);
      return;
    }
    if (!game.FS) {
      console.info('the game is still loading; drop the recording again once it has');
      return;
    }
    game.FS.writeFile(REPLAY, new Uint8Array(await file.arrayBuffer()));
    if (started) {
      ended = false;
      $('cover').hidden = true;
      canvas.focus();
      game.ccall('ventora_play_replay', null, ['string'], [REPLAY]);
    } else {
      start(['--replay', REPLAY]);
    }
  }
  $('replay-file').addEventListener('change', (event) => {
    playRecording(event.target.files[0]);
    event.target.value = '';
  });
  window.addEventListener('dragover', (event) => {
    event.preventDefault();
    document.body.classList.add('dragging');
  });
  window.addEventListener('dragleave', () => document.body.classList.remove('dragging'));
  window.addEventListener('drop', (event) => {
    event.preventDefault();
    document.body.classList.remove('dragging');
    playRecording(event.dataTransfer.files[0]);
  });

  const loader = document.createElement('script');
  loader.src = 'ventora.js';
  loader.onerror = () => fail('The game could not load: ventora.js is missing');
  document.body.appendChild(loader);
})();
