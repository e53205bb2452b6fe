#pragma once

#include <QString>

namespace velmora::lang {

// The current language file: the file named by the setting Language in the
// LANG directory. load() is called once per start; a missing file is not an
// error, it means that every screen keeps its built-in texts.
void load(const QString &fileName);
bool present();     // the current file exists
QString fileName(); // as given to load()
QString filePath(); // LANG + fileName

// Lookup of (section, key, default) in the current file: the value, or the
// default when there is no file or the section or key is missing. The file
// is read again when it has changed since the last lookup, so dialogs that
// look their texts up when shown see a changed file.
QString text(const QString &section, const QString &key, const QString &def);

// For screens with built-in captions: the lookup when a file is present,
// the built-in text otherwise.
QString caption(const QString &section, const QString &key, const QString &lookupDefault,
                const QString &builtIn);
inline QString caption(const QString &section, const QString &key, const QString &def)
{
    return caption(section, key, def, def);
}

} // namespace velmora::lang
