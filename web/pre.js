// Runs inside the game's script before the game starts.
//
// The player's files (options, high scores, the edited level file, the error log, and the
// settings in the config folder) are kept in the browser's IndexedDB: both folders are mounted
// from it and read back before the game starts, and copied to it after every write the game
// makes.
(function () {
  var folders = ['/home/web_user/.local/share/pibo2', '/home/web_user/.config/pibo2'];
  var busy = false;
  var again = false;

  Module.preRun = Module.preRun || [];
  Module.preRun.push(function () {
    folders.forEach(function (folder) {
      FS.mkdirTree(folder);
      FS.mount(IDBFS, {}, folder);
    });
    addRunDependency('player-files');
    FS.syncfs(true, function (err) {
      if (err) console.warn('Pibo II: the saved files could not be read back: ' + err);
      removeRunDependency('player-files');
    });
  });

  // Writes that come while a copy is under way are taken by one more copy after it.
  Module.persistFiles = function () {
    if (busy) {
      again = true;
      return;
    }
    busy = true;
    FS.syncfs(false, function (err) {
      busy = false;
      if (err) console.warn('Pibo II: the files could not be stored: ' + err);
      if (again) {
        again = false;
        Module.persistFiles();
      } else if (Module.onFilesStored) {
        Module.onFilesStored();
      }
    });
  };
})();
