// Writing a compiled gazetteer: everything build() made, into a fresh
// directory that replaces the output whole, or not at all.
#pragma once

#include <QString>

namespace gazetteer {

// build(), then writes everything to a fresh directory beside `outDir`, checks
// what it wrote through the program's own readers, and renames it into
// place. `outDir` is left untouched on any fault. An existing `outDir` is
// replaced only when it is empty or was written by this compiler.
bool compile(const QString& dataDir, const QString& outDir, QString* error);

// The marker file a compiled directory holds.
inline constexpr const char* kMarkerFile = ".qm-gazetteer";

}  // namespace gazetteer
