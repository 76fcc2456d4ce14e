#pragma once
// Writing a file whole or not at all: the text goes to a temporary file beside the target, which
// takes the target's name only once complete. A failure (a folder that cannot be written, a full
// disk, a writer that throws or is cancelled) leaves no half-written file and an existing file
// untouched.
#include <QString>
#include <functional>

class QIODevice;

namespace zv {

// Runs `escribir` over the new file and puts it in place. `que` names what is saved for the
// message of a missing name ("el informe"). Throws zv::Error with a Spanish description; an
// exception from `escribir` passes through after the temporary file is discarded.
void escribirArchivo(const QString& archivo, const QString& que,
                     const std::function<void(QIODevice&)>& escribir);

} // namespace zv
